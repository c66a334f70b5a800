#pragma once
// The page `ModemDebug`: the line settings the engine reads, the port speed, raw commands for
// the modem, its factory reset, and the time panel.

#include <QWidget>

class QCheckBox;
class QLineEdit;

namespace torvel {

class ModemWindow;
class TimePanel;

class ServicePage : public QWidget
{
    Q_OBJECT
public:
    ServicePage(ModemWindow &window, QWidget *parent = nullptr);

    bool stopTimePoll() const;
    TimePanel *timePanel() const { return m_timePanel; }

    // `HexSend`: the pairs of `SendHex1` (completed in the edit when odd).
    void HexSendClick();

signals:
    void stopTimePollChanged(bool stop);

private:
    QWidget *lineSettings();
    QWidget *serviceCommands();
    void sendBytes(const QByteArray &bytes);

    ModemWindow &m_window;
    QLineEdit *m_sendString;
    QLineEdit *m_sendHex;
    TimePanel *m_timePanel;
};

} // namespace torvel
