#pragma once
// The page "Fehler-Liste" (`FehlerTabSheet`) of the Torvel2 window: the controller's error
// list. An empty frame for now.

#include <QWidget>

namespace torvel {

class Torvel2Context;

class ErrorListPage : public QWidget
{
    Q_OBJECT
public:
    ErrorListPage(Torvel2Context &ctx, QWidget *parent = nullptr);

private:
    Torvel2Context &m_ctx;
};

} // namespace torvel
