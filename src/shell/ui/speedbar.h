#pragma once
// The frame's speed-button bar with the small logo at its right end.

#include <QToolBar>
#include <functional>

namespace torvel {

class SpeedBar : public QToolBar
{
    Q_OBJECT
public:
    enum Glyph { Open, Save, Print, Search, Clock, Programs, Night };

    explicit SpeedBar(QWidget *parent = nullptr);
    // A button whose hint shows as tooltip (with no long part for the status line).
    QAction *addButton(const QString &hint, Glyph glyph, std::function<void()> run);
    void addLogo();
};

} // namespace torvel
