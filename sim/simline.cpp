#include "simline.h"

#include "simdefaults.h"
#include "simframing.h"

#include <utility>

namespace torvel::sim {

SimLine::SimLine(QObject *parent) : QObject(parent)
{
    for (int oven = 1; oven <= kOvens; ++oven) {
        auto c = std::make_unique<SimController>(oven);
        c->version() = defaultVersion(oven);
        c->status() = defaultStatus(oven);
        m_controllers[static_cast<size_t>(oven - 1)] = std::move(c);
    }
    connect(&m_output, &LineOutput::delivered, this, &SimLine::toPc);
}

SimLine::~SimLine() = default;

SimController &SimLine::controller(int oven)
{
    Q_ASSERT(oven >= 1 && oven <= kOvens);
    return *m_controllers[static_cast<size_t>(oven - 1)];
}

const SimController &SimLine::controller(int oven) const
{
    Q_ASSERT(oven >= 1 && oven <= kOvens);
    return *m_controllers[static_cast<size_t>(oven - 1)];
}

void SimLine::setPresentOvens(const QList<int> &ovens)
{
    for (auto &c : m_controllers)
        c->setPresent(ovens.contains(c->oven()));
}

QList<int> SimLine::presentOvens() const
{
    QList<int> out;
    for (const auto &c : m_controllers) {
        if (c->present())
            out.append(c->oven());
    }
    return out;
}

void SimLine::receive(const QByteArray &bytes)
{
    m_output.enqueue(bytes); // the echo, ahead of every answer to these bytes
    for (char b : bytes) {
        if (const auto e = m_parser.push(static_cast<quint8>(b)))
            handle(*e);
    }
}

void SimLine::setPacing(bool on)
{
    m_output.setPacing(on);
}

bool SimLine::pacing() const
{
    return m_output.pacing();
}

void SimLine::setBaudRate(int baud)
{
    m_output.setBaudRate(baud);
}

int SimLine::baudRate() const
{
    return m_output.baudRate();
}

bool SimLine::outputPending() const
{
    return m_output.pending();
}

void SimLine::handle(const LineEvent &e)
{
    switch (e.kind) {
    case LineEvent::Kind::Address:
        handleAddress(e.address);
        break;
    case LineEvent::Kind::Function:
        handleFunction(e);
        break;
    case LineEvent::Kind::Data:
        handleData(e);
        break;
    }
}

SimController *SimLine::selected()
{
    return m_selected ? &controller(m_selected) : nullptr;
}

void SimLine::handleAddress(quint8 address)
{
    ++m_stats.addressFrames[address];
    m_pendingData.reset();
    m_selected = 0;
    for (auto &c : m_controllers) {
        if (c->addressByte() != address)
            continue;
        if (c->acceptFrame()) {
            m_selected = c->oven();
            answer(*c, kAddressing, SimReply::ack());
        }
        return;
    }
}

void SimLine::handleFunction(const LineEvent &e)
{
    ++m_stats.functionFrames[e.code];
    if (!e.checksumOk)
        ++m_stats.badChecksums;
    SimController *c = selected();
    if (!c)
        return;
    if (!c->acceptFrame()) {
        m_selected = 0;
        return;
    }
    answer(*c, e.code, e.checksumOk ? c->handle(e.code, e.p1, e.p2) : SimReply::nak());
}

void SimLine::handleData(const LineEvent &e)
{
    ++m_stats.dataFrames;
    if (!e.checksumOk)
        ++m_stats.badChecksums;
    const std::optional<PendingData> pending = std::exchange(m_pendingData, std::nullopt);
    if (!pending)
        return;
    SimController &c = controller(pending->oven);
    if (!c.acceptFrame()) {
        m_selected = 0;
        return;
    }
    // A refused data frame is not expected again: the PC starts over with addressing.
    answer(c, pending->function, e.checksumOk && pending->onData ? pending->onData(e.data) : SimReply::nak());
}

void SimLine::answer(SimController &c, int function, const SimReply &reply)
{
    if (reply.kind == SimReply::Kind::AckExpectData) {
        m_pendingData = PendingData{c.oven(), function, reply.onData};
        m_parser.expectData(reply.expectLength);
    }
    QByteArray wire = wireBytes(reply);
    if (wire.isEmpty())
        return;
    // Faults change what reaches the PC; the controller's own state goes on as answered.
    if (const auto rule = m_faults.pick(c.oven(), function, reply.kind)) {
        ++m_stats.faults[rule->kind];
        if (rule->kind == FaultKind::Vanish) {
            const int more = effectiveAmount(*rule);
            c.vanishAfter(more > 0 ? more - 1 : 0);
            if (more == 0)
                wire.clear();
        } else {
            m_faults.apply(*rule, reply, wire);
        }
    }
    if (c.vanished())
        m_selected = 0;
    if (wire.isEmpty())
        return;
    ++m_stats.answers;
    m_output.enqueue(wire);
}

} // namespace torvel::sim
