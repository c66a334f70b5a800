#pragma once
// A simulated Hayes modem: AT commands with E/Q/V, S-registers, &-settings and stored
// profiles (&W), the listings ATI4 and ATI5 (with its pause at "Strike a key when ready
// . . ."), dialling through a SimPhoneNet with a late CONNECT, BUSY or NO CARRIER, answering
// after S0 rings, the "+++" escape with its guard time, and carrier detect. Its DTE side
// takes the PC's (or the controllers') bytes through fromDte() and answers through toDte(),
// always later from the event loop.

#include "lineoutput.h"
#include "simmodemsettings.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <array>
#include <functional>

namespace torvel::sim {

class SimPhoneNet;

// The modem's pauses. Realistic by default; tests and quick runs make them short.
struct SimModemTiming {
    int ringMs = 1000;      // from one ring to the next at the called modem
    int handshakeMs = 1500; // from answering to CONNECT
    int busyMs = 800;       // from dialling to BUSY
    int carrierWaitMs = -1; // a call nobody answers ends after this; S7 seconds when negative
    int guardMs = -1;       // the silence around "+++"; S12 fiftieths of a second when negative

    static SimModemTiming fast();
};

class SimModem : public QObject
{
    Q_OBJECT
public:
    enum class State { Command, Dialling, Ringing, Answering, Online, OnlineCommand };

    explicit SimModem(QObject *parent = nullptr);
    ~SimModem() override;

    void setTiming(const SimModemTiming &timing) { m_timing = timing; }
    // Where calls go; without a network the modem hears no dial tone.
    void setNetwork(SimPhoneNet *network);

    SimModemSettings &settings() { return m_active; }
    SimModemSettings &stored(int profile) { return m_stored[profile == 1 ? 1 : 0]; }
    // Runs a command line silently, as the modem's owner would have set it up.
    void configure(const QByteArray &line);

    // The DTE side.
    void fromDte(const QByteArray &bytes);
    void setDteRate(int baud) { m_active.dteRate = baud; }
    // Carrier detect as the modem shows it: with &C0 always on, else while a connection stands.
    bool dcd() const;

    State state() const { return m_state; }
    bool inDataMode() const { return m_state == State::Online; }
    bool connectionUp() const { return m_state == State::Online || m_state == State::OnlineCommand; }

    // The line side, for the network and the modem at the other end.
    // Rings this modem; false when it is busy with another call.
    bool incomingCall(SimModem *caller);
    void fromLine(const QByteArray &bytes);
    // The other end went away (hung up, or gave up calling).
    void remoteGone();
    // Drops the connection from this end, as if its owner hung up.
    void hangUpLine();
    // Drops the connection once this many bytes came over the line (0: never).
    void setHangUpAfter(int bytes) { m_hangUpAfter = bytes; }

signals:
    void toDte(const QByteArray &bytes);
    void dcdChanged(bool on);

private:
    enum class Result { Ok, Connect, Ring, NoCarrier, Error, NoDialtone, Busy, NoAnswer };

    void commandByte(char c);
    void execute(const QByteArray &command);
    bool executeOne(const QByteArray &command, qsizetype *pos, bool *finished);
    void dial(const QByteArray &dialString);
    void answer();
    void goOnline(bool reportConnect);
    void connected(SimModem *peer);
    void endCall(Result result);
    void dataFromDte(const QByteArray &bytes);
    void escapeGuardPassed();
    void ring();
    void reset(const SimModemSettings &to);
    void result(Result r);
    void output(const QByteArray &bytes);
    void setState(State s);
    void after(int ms, std::function<void()> action);
    int guardMs() const;

    SimModemSettings m_active = SimModemSettings::factory();
    std::array<SimModemSettings, 2> m_stored{SimModemSettings::factory(), SimModemSettings::factory()};
    SimModemTiming m_timing;
    QPointer<SimPhoneNet> m_network;
    QPointer<SimModem> m_peer; // the other end of a call
    State m_state = State::Command;
    bool m_silent = false;      // configure(): nothing goes out
    bool m_awaitingKey = false; // ATI5 waits before its second page
    bool m_toneDial = true;
    QByteArray m_line; // the command line being typed
    QByteArray m_lastDialed;
    QTimer m_timer;
    std::function<void()> m_timerAction;
    QTimer m_escapeTimer;
    QElapsedTimer m_clock;
    qint64 m_lastDteByte = 0;
    int m_escapeCount = 0;
    int m_lineBytes = 0;
    int m_hangUpAfter = 0;
    LineOutput m_output;
};

} // namespace torvel::sim
