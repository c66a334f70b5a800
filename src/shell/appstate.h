#pragma once
// Program-wide state, handed to whoever needs it so a test can make a fresh one.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

namespace torvel {

class AppState : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    int selectedOven() const { return m_selectedOven; }
    void setSelectedOven(int oven);

    bool serviceMode = false;       // HALVO
    bool modemStartup = false;      // MODEM
    bool damperSecondsMode = false; // ZIRBELAS
    bool addTimeoutGiven = false;   // ADDTO
    int addTimeout = 0;             // ms
    int printScale = 80;            // percent
    QString currentFileName;
    // The printable child window activated last (none when null).
    QPointer<QObject> printTarget;
    // Columns of the bake program list that hold minutes.
    QList<int> minuteColumns = defaultMinuteColumns();
    int maxPrograms = 99;
    // Set by "Abbrechen"; transfer loops poll it between tries.
    bool abortFlag = false;

    // The single-instance child windows while they are open (null while closed). Core code
    // only posts requests to them (e.g. pausing the clock window's polling).
    QPointer<QObject> portWindow;
    QPointer<QObject> ovenWindow;
    QPointer<QObject> searchWindow;
    QPointer<QObject> clockWindow;
    QPointer<QObject> nightStartWindow;
    QPointer<QObject> bakeProgramList;
    QPointer<QObject> torvel2Window;
    QPointer<QObject> messageWindow;

    // Posts StopCommunication / StartCommunication to the clock window when it is open.
    void pauseClockPolling();
    void resumeClockPolling();

    // A transfer holds the line (see TransferGuard); nested guards count.
    bool transferActive() const { return m_transfers > 0; }
    void beginTransfer();
    void endTransfer();

    // How a transfer ended, in one sentence for the frame's status line
    // ("99 Backprogramme von Ofen 3 gelesen.").
    void reportOutcome(const QString &text) { emit outcomeReported(text); }

    static QList<int> defaultMinuteColumns();
    static QList<int> damperSecondsMinuteColumns();

signals:
    void selectedOvenChanged(int oven);
    // The last running transfer has ended.
    void transferEnded();
    void outcomeReported(const QString &text);

private:
    int m_selectedOven = 1;
    int m_transfers = 0;
};

} // namespace torvel
