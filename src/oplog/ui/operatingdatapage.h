#pragma once
// The page "Betriebsdaten" (`BDataSheet`) of the Torvel2 window: the controller's operating
// data log. An empty frame for now.

#include <QWidget>

namespace torvel {

class Torvel2Context;

class OperatingDataPage : public QWidget
{
    Q_OBJECT
public:
    OperatingDataPage(Torvel2Context &ctx, QWidget *parent = nullptr);

private:
    Torvel2Context &m_ctx;
};

} // namespace torvel
