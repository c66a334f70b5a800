#pragma once
// The page "Bereittabelle" (`BereitTabSheet`) of the Torvel2 window: the weekly ready table.
// An empty frame for now.

#include <QWidget>

namespace torvel {

class Torvel2Context;

class ReadyTablePage : public QWidget
{
    Q_OBJECT
public:
    ReadyTablePage(Torvel2Context &ctx, QWidget *parent = nullptr);

    // Run once, on the window's first activation.
    void InitReadyTable();

private:
    Torvel2Context &m_ctx;
};

} // namespace torvel
