#pragma once
// The time panel of `ModemDebug`: the PC's time beside the controller's as it reports it,
// read once (`UhrEmpf`) or every `TimePollInterval` ms while `FastTimePoll` is checked;
// `StopTimePoll` keeps the clock window from polling meanwhile.

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QSpinBox;
class QTimer;

namespace torvel {

class ModemWindow;

class TimePanel : public QGroupBox
{
    Q_OBJECT
public:
    TimePanel(ModemWindow &window, QWidget *parent = nullptr);

    bool stopTimePoll() const;
    QTimer *timePoll() const { return m_timePoll; }

    // `UhrEmpf`.
    void UhrEmpfClick();
    // `FastTimePoll` clicked.
    void FastTimePollClick();

signals:
    void stopTimePollChanged(bool stop);

private:
    void readClock();

    ModemWindow &m_window;
    QLabel *m_pcZeit;
    QLabel *m_vksZeit;
    QCheckBox *m_fastTimePoll;
    QCheckBox *m_stopTimePoll;
    QSpinBox *m_interval;
    QTimer *m_timePoll;
};

} // namespace torvel
