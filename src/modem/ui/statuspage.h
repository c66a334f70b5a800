#pragma once
// The page `VKSDebug`: addressing one controller by its bus address (`VKSAdr`) and its live
// values, once on request or polled every `PollInt` milliseconds.

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QSpinBox;
class QTimer;

namespace torvel {

class ModemWindow;
struct ControllerStatus;

class StatusPage : public QWidget
{
    Q_OBJECT
public:
    StatusPage(ModemWindow &window, QWidget *parent = nullptr);

    QTimer *pollTimer() const { return m_poll; }

    // `VKSAdressieren`: one addressing frame, its answer in `VKSMemo`.
    void VKSAdressierenClick();
    // `VKSStatus`: the status query with its message when the controller is not addressable.
    void VKSStatusClick();
    // A tick of the poll timer.
    void pollTick();

private:
    bool queryStatus(); // false: not addressable
    void show(const ControllerStatus &s);
    QLineEdit *field(const QString &name);

    ModemWindow &m_window;
    QSpinBox *m_vksAdr;
    QSpinBox *m_pollInt;
    QCheckBox *m_statusPoll;
    QCheckBox *m_ohEin;
    QCheckBox *m_uhEin;
    QCheckBox *m_prgStart;
    QTimer *m_poll;
};

} // namespace torvel
