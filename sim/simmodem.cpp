#include "simmodem.h"

#include "simphonenet.h"

#include <cctype>
#include <utility>

namespace torvel::sim {

namespace {
constexpr int kLineLimit = 80; // characters after "AT" the command buffer holds

char upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// Digits at *pos as a number (fallback when there are none).
int readNumber(const QByteArray &text, qsizetype *pos, int fallback)
{
    int value = 0;
    bool any = false;
    while (*pos < text.size() && std::isdigit(static_cast<unsigned char>(text.at(*pos)))) {
        value = std::min(value * 10 + (text.at(*pos) - '0'), 100000);
        any = true;
        ++*pos;
    }
    return any ? value : fallback;
}
} // namespace

SimModemTiming SimModemTiming::fast()
{
    SimModemTiming t;
    t.ringMs = 5;
    t.handshakeMs = 5;
    t.busyMs = 5;
    t.carrierWaitMs = 50;
    t.guardMs = 10;
    return t;
}

SimModem::SimModem(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (auto action = std::exchange(m_timerAction, {}))
            action();
    });
    m_escapeTimer.setSingleShot(true);
    m_escapeTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_escapeTimer, &QTimer::timeout, this, &SimModem::escapeGuardPassed);
    connect(&m_output, &LineOutput::delivered, this, &SimModem::toDte);
    m_clock.start();
}

SimModem::~SimModem()
{
    if (m_peer)
        m_peer->remoteGone();
}

void SimModem::setNetwork(SimPhoneNet *network)
{
    m_network = network;
}

void SimModem::configure(const QByteArray &line)
{
    m_silent = true;
    fromDte(line + '\r');
    m_silent = false;
}

bool SimModem::dcd() const
{
    return m_active.amp('C') == 0 || connectionUp();
}

int SimModem::guardMs() const
{
    return m_timing.guardMs >= 0 ? m_timing.guardMs : m_active.s[12] * 20;
}

void SimModem::after(int ms, std::function<void()> action)
{
    m_timerAction = std::move(action);
    m_timer.start(std::max(ms, 0));
}

void SimModem::setState(State s)
{
    const bool before = dcd();
    m_state = s;
    if (dcd() != before)
        emit dcdChanged(dcd());
}

void SimModem::output(const QByteArray &bytes)
{
    if (!m_silent)
        m_output.enqueue(bytes);
}

void SimModem::result(Result r)
{
    if (m_silent || m_active.value('Q') == 1)
        return;
    const int x = m_active.value('X');
    if ((r == Result::Busy && x < 3) || (r == Result::NoDialtone && x < 2))
        r = Result::NoCarrier; // the lower result sets know only the basic words
    if (m_active.value('V') == 0) {
        static const int codes[] = {0, 1, 2, 3, 4, 6, 7, 8};
        output(QByteArray::number(codes[static_cast<int>(r)]) + '\r');
        return;
    }
    QByteArray word;
    switch (r) {
    case Result::Ok:
        word = "OK";
        break;
    case Result::Connect:
        word = x >= 1 ? "CONNECT " + QByteArray::number(m_active.dteRate) : QByteArray("CONNECT");
        break;
    case Result::Ring:
        word = "RING";
        break;
    case Result::NoCarrier:
        word = "NO CARRIER";
        break;
    case Result::Error:
        word = "ERROR";
        break;
    case Result::NoDialtone:
        word = "NO DIALTONE";
        break;
    case Result::Busy:
        word = "BUSY";
        break;
    case Result::NoAnswer:
        word = "NO ANSWER";
        break;
    }
    output("\r\n" + word + "\r\n");
}

void SimModem::fromDte(const QByteArray &bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        switch (m_state) {
        case State::Online:
            dataFromDte(bytes.mid(i));
            return;
        case State::Dialling:
        case State::Answering:
            endCall(Result::NoCarrier); // any key breaks off a call being set up
            break;
        default:
            commandByte(bytes.at(i));
            break;
        }
    }
}

void SimModem::commandByte(char c)
{
    if (m_awaitingKey) {
        m_awaitingKey = false;
        output(nvramListingSecondPage(m_stored[1]));
        result(Result::Ok);
        return;
    }
    if (m_active.value('E') == 1)
        output(QByteArray(1, c));
    const char u = upper(c);
    if (m_line.isEmpty()) { // waiting for "AT": everything else is noise
        if (u == 'A')
            m_line = "A";
        return;
    }
    if (m_line.size() == 1) {
        if (u == 'T')
            m_line += 'T';
        else if (u != 'A')
            m_line.clear();
        return;
    }
    if (static_cast<quint8>(c) == m_active.s[3]) {
        execute(std::exchange(m_line, QByteArray()).mid(2));
        return;
    }
    if (static_cast<quint8>(c) == m_active.s[5]) {
        if (m_line.size() > 2)
            m_line.chop(1);
        return;
    }
    if (static_cast<quint8>(c) < 0x20)
        return;
    m_line += c;
    if (m_line.size() > kLineLimit + 2) {
        m_line.clear();
        result(Result::Error);
    }
}

void SimModem::execute(const QByteArray &command)
{
    qsizetype pos = 0;
    bool finished = false;
    while (pos < command.size()) {
        if (!executeOne(command, &pos, &finished)) {
            result(Result::Error);
            return;
        }
        if (finished)
            return;
    }
    result(Result::Ok);
}

bool SimModem::executeOne(const QByteArray &command, qsizetype *pos, bool *finished)
{
    const char c = upper(command.at((*pos)++));
    switch (c) {
    case ' ':
        return true;
    case 'D':
        *finished = true;
        dial(command.mid(*pos));
        return true;
    case 'A':
        *finished = true;
        answer();
        return true;
    case 'O':
        readNumber(command, pos, 0);
        *finished = true;
        if (m_state == State::OnlineCommand)
            goOnline(true);
        else
            result(Result::NoCarrier);
        return true;
    case 'Z': {
        const int n = readNumber(command, pos, 0);
        if (n == 3) { // back to the factory settings, also in the stored profile
            reset(SimModemSettings::factory());
            m_stored[0] = m_active;
        } else if (n == 0 || n == 1) {
            reset(m_stored[static_cast<size_t>(n)]);
        } else {
            return false;
        }
        *finished = true; // the rest of the line is not read
        result(Result::Ok);
        return true;
    }
    case 'H':
        if (readNumber(command, pos, 0) == 0 && m_state != State::Command) {
            if (m_peer)
                std::exchange(m_peer, nullptr)->remoteGone();
            m_timer.stop();
            setState(State::Command);
        }
        return true;
    case 'I': {
        const int n = readNumber(command, pos, 0);
        if (n == 4) {
            output(currentListing(m_active, connectionUp(), m_lastDialed));
        } else if (n == 5) {
            output(nvramListingFirstPage(m_stored[0]));
            m_awaitingKey = true; // the second page and "OK" follow the next key
            *finished = true;
        } else if (n == 3) {
            output("\r\nU.S. Robotics 56K FAX EXT Rev. 6.0.4\r\n");
        } else {
            output("\r\n5601\r\n");
        }
        return true;
    }
    case 'S': {
        const int reg = readNumber(command, pos, -1);
        if (reg < 0 || reg >= SimModemSettings::kRegisters)
            return false;
        if (*pos < command.size() && command.at(*pos) == '=') {
            ++*pos;
            const int value = readNumber(command, pos, -1);
            if (value < 0 || value > 255)
                return false;
            m_active.s[static_cast<size_t>(reg)] = value;
        } else if (*pos < command.size() && command.at(*pos) == '?') {
            ++*pos;
            const int value = m_active.s[static_cast<size_t>(reg)];
            output("\r\n" + QByteArray::number(value).rightJustified(3, '0') + "\r\n");
        }
        return true;
    }
    case '&': {
        if (*pos >= command.size())
            return false;
        const char letter = upper(command.at((*pos)++));
        const int n = readNumber(command, pos, 0);
        if (letter == 'W') {
            if (n > 1)
                return false;
            m_stored[static_cast<size_t>(n)] = m_active;
        } else if (letter == 'F') {
            reset(SimModemSettings::factory());
        } else if (letter == 'V') {
            output(currentListing(m_active, connectionUp(), m_lastDialed));
        } else if (SimModemSettings::knowsAmpersand(letter)) {
            m_active.ampersand[letter] = n;
        } else {
            return false;
        }
        return true;
    }
    case 'T':
    case 'P':
        m_toneDial = c == 'T';
        return true;
    default:
        if (!SimModemSettings::knowsBasic(c))
            return false;
        {
            const int n = readNumber(command, pos, 0);
            if (n > 9 || (c == 'Q' && n > 1) || (c == 'E' && n > 1) || (c == 'V' && n > 1))
                return false;
            m_active.basic[c] = n;
        }
        return true;
    }
}

void SimModem::reset(const SimModemSettings &to)
{
    if (connectionUp() && m_peer)
        std::exchange(m_peer, nullptr)->remoteGone();
    m_timer.stop();
    m_awaitingKey = false;
    const int rate = m_active.dteRate; // the port's speed is the port's
    m_active = to;
    m_active.dteRate = rate;
    setState(State::Command);
}

void SimModem::dial(const QByteArray &dialString)
{
    QString number;
    bool stayInCommandMode = false;
    for (const char ch : dialString) {
        const char u = upper(ch);
        if (std::isdigit(static_cast<unsigned char>(u)) || u == '*' || u == '#')
            number += QLatin1Char(u);
        else if (u == 'T' || u == 'P')
            m_toneDial = u == 'T';
        else if (u == ';')
            stayInCommandMode = true;
    }
    m_lastDialed = dialString.trimmed();
    if (stayInCommandMode) {
        result(Result::Ok);
        return;
    }
    setState(State::Dialling);
    m_lineBytes = 0;
    if (!m_network) {
        after(m_timing.busyMs, [this] { endCall(Result::NoDialtone); });
        return;
    }
    SimModem *callee = nullptr;
    const SimPhoneNet::Outcome outcome = m_network->call(this, number, &callee);
    if (outcome == SimPhoneNet::Outcome::Busy) {
        after(m_timing.busyMs, [this] { endCall(Result::Busy); });
        return;
    }
    if (outcome == SimPhoneNet::Outcome::NoCarrier) {
        after(m_timing.handshakeMs, [this] { endCall(Result::NoCarrier); });
        return;
    }
    m_peer = callee; // null when nobody answers
    const int wait = m_timing.carrierWaitMs >= 0 ? m_timing.carrierWaitMs : m_active.s[7] * 1000;
    after(wait, [this] { endCall(Result::NoCarrier); });
}

bool SimModem::incomingCall(SimModem *caller)
{
    if (m_state != State::Command || m_peer || m_awaitingKey)
        return false;
    m_peer = caller;
    m_active.s[1] = 0;
    setState(State::Ringing);
    after(m_timing.ringMs, [this] { ring(); });
    return true;
}

void SimModem::ring()
{
    if (m_state != State::Ringing)
        return;
    m_active.s[1] = std::min(m_active.s[1] + 1, 255);
    result(Result::Ring);
    if (m_active.s[0] > 0 && m_active.s[1] >= m_active.s[0])
        answer();
    else
        after(m_timing.ringMs, [this] { ring(); });
}

void SimModem::answer()
{
    if (m_state != State::Ringing || !m_peer) {
        result(Result::NoCarrier);
        return;
    }
    setState(State::Answering);
    after(m_timing.handshakeMs, [this] {
        if (SimModem *caller = m_peer) {
            caller->connected(this);
            connected(caller);
        }
    });
}

void SimModem::connected(SimModem *peer)
{
    m_timer.stop();
    m_peer = peer;
    m_lineBytes = 0;
    goOnline(true);
}

void SimModem::goOnline(bool reportConnect)
{
    m_escapeCount = 0;
    m_lastDteByte = m_clock.elapsed();
    setState(State::Online);
    if (reportConnect)
        result(Result::Connect);
}

void SimModem::endCall(Result r)
{
    m_timer.stop();
    if (m_peer)
        std::exchange(m_peer, nullptr)->remoteGone();
    setState(State::Command);
    result(r);
}

void SimModem::remoteGone()
{
    const bool reports = connectionUp() || m_state == State::Dialling;
    m_peer = nullptr;
    m_timer.stop();
    m_escapeTimer.stop();
    m_active.s[1] = 0;
    setState(State::Command);
    if (reports)
        result(Result::NoCarrier);
}

void SimModem::hangUpLine()
{
    if (m_state == State::Command)
        return;
    endCall(Result::NoCarrier);
}

void SimModem::dataFromDte(const QByteArray &bytes)
{
    const int guard = guardMs();
    const int escape = m_active.s[2];
    for (const char b : bytes) {
        const qint64 now = m_clock.elapsed();
        const qint64 gap = now - m_lastDteByte;
        if (escape <= 127 && static_cast<quint8>(b) == escape) {
            // The first escape character after a silence, the next ones in quick succession.
            if (m_escapeCount == 0)
                m_escapeCount = gap >= guard ? 1 : 0;
            else if (m_escapeCount < 3 && gap <= guard)
                ++m_escapeCount;
            else
                m_escapeCount = 0;
        } else {
            m_escapeCount = 0;
        }
        m_lastDteByte = now;
    }
    m_escapeTimer.stop();
    if (m_escapeCount == 3)
        m_escapeTimer.start(guard); // command mode once the line stays silent as long
    if (m_peer)
        m_peer->fromLine(bytes); // the escape characters go over the line too
}

void SimModem::escapeGuardPassed()
{
    if (m_state != State::Online || m_escapeCount != 3)
        return;
    m_escapeCount = 0;
    setState(State::OnlineCommand);
    result(Result::Ok);
}

void SimModem::fromLine(const QByteArray &bytes)
{
    m_lineBytes += static_cast<int>(bytes.size());
    if (m_state == State::Online)
        output(bytes);
    if (m_hangUpAfter > 0 && m_lineBytes >= m_hangUpAfter && connectionUp())
        QTimer::singleShot(0, this, &SimModem::hangUpLine);
}

} // namespace torvel::sim
