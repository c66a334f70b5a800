#pragma once
// The page "Fehler-Liste" (`FehlerTabSheet`) of the Torvel2 window: the controller's error list
// in `FehlerGrid`.

#include "logpage.h"

namespace torvel {

class ErrorListPage : public LogPage
{
    Q_OBJECT
public:
    explicit ErrorListPage(Torvel2Context &ctx, QWidget *parent = nullptr);
};

} // namespace torvel
