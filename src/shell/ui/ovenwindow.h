#pragma once
// The oven window: seven radio buttons choose the oven the other windows talk to. A choice
// takes effect at once; the window only closes. Lives in an MDI subwindow; one at a time, its
// handle in AppState::ovenWindow.

#include <QWidget>

#include <array>

class QMdiSubWindow;
class QPushButton;
class QRadioButton;

namespace torvel {

class AppState;

class OvenWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kOvens = 7;

    explicit OvenWindow(AppState *state, QWidget *parent = nullptr);

    // Oven 1..7.
    QRadioButton *ovenButton(int oven) const { return m_ovens.at(oven - 1); }

    // Window activation: becomes the print target and shows the selected oven. Runs by
    // itself when the MDI subwindow around it activates.
    void activate();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showSelectedOven();
    // Activation of the subwindow around this widget is this window's activation.

    AppState *m_state;
    std::array<QRadioButton *, kOvens> m_ovens{};
    QPushButton *m_close;
};

} // namespace torvel
