#pragma once
// The page "Betriebsdaten" (`BDataSheet`) of the Torvel2 window: the controller's operating
// data log in `BetriebsDatenGrid`, with the names of the bake programs it mentions.

#include "logpage.h"

namespace torvel {

class OperatingDataPage : public LogPage
{
    Q_OBJECT
public:
    explicit OperatingDataPage(Torvel2Context &ctx, QWidget *parent = nullptr);
};

} // namespace torvel
