#pragma once
// The page "Steigungs-Tabelle" (`SteigungsTabSheet`) of the Torvel2 window: the window's
// gradient table in the grid `SteigungsGrid`, one mode at a time (`SteigungsTab`), read from
// and sent to the window's oven, saved to and opened from .TST files, edited in place.

#include "tables/gradienttable.h"

#include <QWidget>

class QPushButton;
class QTabBar;

namespace torvel {

class GridView;
class SheetModel;
class Torvel2Context;

class GradientPage : public QWidget
{
    Q_OBJECT
public:
    GradientPage(Torvel2Context &ctx, QWidget *parent = nullptr);
    ~GradientPage() override;

    // The window's table (holds the marker until a read or an open).
    const GradientTable &table() const { return m_table; }
    SheetModel *sheet() const { return m_sheet; }

    void ReadSteigClick();         // "Tabelle lesen"
    void WriteSteigClick();        // "Tabelle senden"
    void WriteDefaultSteigClick(); // "Default-Werte senden"
    void Button1Click();           // "Test-Werte senden"
    void SaveSteigClick();         // "Tabelle speichern"
    void LoadSteigClick();         // "Tabelle öffnen"

private:
    // Sends `table` (the window's, the defaults or the test values) with messages.
    void send(const GradientTable &table, void (GradientPage::*click)());
    void showTable();
    void takeEdits(const QRect &range);

    Torvel2Context &m_ctx;
    GradientTable m_table = emptyGradientTable();
    SheetModel *m_sheet;
    GridView *m_grid;
    QTabBar *m_steigungsTab;
    // Set while the grid is filled from the table, so that is no edit.
    bool m_drawing = false;
};

} // namespace torvel
