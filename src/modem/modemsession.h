#pragma once
// The PC modem's connection: dialling, hanging up, the carrier watch and the memos of the
// modem window. The window and torvelctl --dial run this same code; it lives as long as the
// program, so a connection is watched while the window is hidden.

#include "modemcheck.h"
#include "modemport.h"

#include "link/memolog.h"

#include <QElapsedTimer>
#include <QObject>

namespace torvel {

class AppState;
class CommandEngine;
class Prompter;

enum class DialResult {
    Connected,
    Busy,
    NoCarrier,
    Failed,    // another answer or none at all
    Refused,   // the number cannot be dialled
    Declined,  // the PC modem's checks found problems and the user did not go on
    Cancelled, // the user hung up meanwhile
};

class ModemSession : public QObject
{
    Q_OBJECT
public:
    struct Options {
        bool einwahlIsdn = false;  // dial with "ATDN"
        bool skipPcChecks = false; // started with "MODEM": no initialisation before dialling
        bool take38400 = false;    // the listings must show 38400
        // Silence the modem needs around "+++" before it takes commands again; also the
        // pause before "ATH0". Matches S12 (50 fiftieths of a second).
        int guardTimeMs = 1000;
        QString dir; // where the listing files go
    };

    ModemSession(AppState &state, CommandEngine &engine, Prompter &prompter, QObject *parent = nullptr);

    Options &options() { return m_options; }
    ModemPort port() { return {m_engine, &m_errorLog}; }

    MemoLog &sendLog() { return m_sendLog; }
    MemoLog &errorLog() { return m_errorLog; }
    MemoLog &vksMemo() { return m_vksMemo; }
    // `DisableAllLogs`.
    void setDisableAllLogs(bool disabled);
    // Frames are copied into the send log while the window is visible.
    void setSendLogActive(bool active) { m_sendLogActive = active; }

    // `EmpfCount`: data events since start.
    int receiveCount() const { return m_receiveCount; }

    // `ModemConnect`: the carrier as last reported (or, on a port without modem lines, as the
    // result words tell).
    bool connected() const { return m_connected; }
    bool userHungUp() const { return m_userHungUp; }
    bool dialling() const { return m_dialling; }
    // A connection broke off since the last dial (not hung up by this program).
    bool connectionLost() const { return m_lost; }

    // `Take38400`: the port's speed and the speed the listings must show.
    void setTake38400(bool on);
    void applySpeed();

    // `Einwahl`.
    DialResult dial(const QString &number);
    // `HangUp`: now, after the running transfer (which is told to stop), or by breaking off
    // a dial that waits for its answer.
    void hangUp();
    // Runs a hang-up or a connection loss that waited for the line, when it is free now.
    void settle();

    // "Init ..." and "Teste ...": the checks reported in a message box.
    void initialiseAndCheck(ModemKind kind);
    void test(ModemKind kind);

signals:
    void connectionChanged(bool connected);
    // `Einwahl` and the other dial controls: off while dialling.
    void dialControlsEnabled(bool on);
    void receiveCountChanged(int count);
    // Received bytes, for the terminal view.
    void received(const QByteArray &bytes);

private:
    void setConnected(bool on);
    void onCarrier(bool on);
    void onBytes(const QByteArray &bytes);
    void onLost();
    void schedulePending();
    // "+++" only when the modem may still pass data; one that reported BUSY, NO CARRIER or
    // a lost carrier is in command mode already and only needs "ATH0".
    void hangUpNow(bool escape = true);
    bool lineTaken() const;
    void pause(int ms);
    bool hasModemLines() const;

    AppState &m_state;
    CommandEngine &m_engine;
    Prompter &m_prompter;
    Options m_options;
    MemoLog m_sendLog;
    MemoLog m_errorLog;
    MemoLog m_vksMemo;
    bool m_sendLogActive = false;
    int m_receiveCount = 0;
    bool m_armed = false; // the carrier is watched from the first dial on
    bool m_connected = false;
    bool m_userHungUp = false;
    bool m_dialling = false;
    bool m_hangingUp = false;
    bool m_lost = false;
    bool m_lossPending = false;
    bool m_hangUpPending = false;
    QByteArray m_resultTail; // the last bytes, for a result word split over two events
    QElapsedTimer m_sinceActivity; // since the last byte either way
};

// Whether a number may go into the dial command: not "ERROR", not empty, no control
// characters and no ";" (which would leave the modem in command mode).
bool isDiallable(const QString &number);

} // namespace torvel
