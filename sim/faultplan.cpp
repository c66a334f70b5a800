#include "faultplan.h"

#include "simframing.h"

#include "simwire.h"

namespace torvel::sim {

namespace {
struct KindName {
    FaultKind kind;
    const char *name;
};
constexpr KindName kKindNames[] = {
    {FaultKind::CorruptChecksum, "checksum"}, {FaultKind::LostBytes, "lost"}, {FaultKind::Silence, "silence"},
    {FaultKind::Nak, "nak"},                  {FaultKind::Noise, "noise"},    {FaultKind::Vanish, "vanish"},
};
} // namespace

bool FaultRule::matches(int answerOven, int answerFunction) const
{
    return (oven == kAnyOven || oven == answerOven) && (function == kAnyFunction || function == answerFunction);
}

QString faultKindName(FaultKind kind)
{
    for (const auto &k : kKindNames) {
        if (k.kind == kind)
            return QString::fromLatin1(k.name);
    }
    return {};
}

std::optional<FaultKind> faultKindFromName(const QString &name)
{
    for (const auto &k : kKindNames) {
        if (name.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0)
            return k.kind;
    }
    return std::nullopt;
}

int effectiveAmount(const FaultRule &rule)
{
    switch (rule.kind) {
    case FaultKind::LostBytes:
        return rule.amount > 0 ? rule.amount : 1;
    case FaultKind::Noise:
        return rule.amount > 0 ? rule.amount : 3;
    case FaultKind::Vanish:
        return qMax(rule.amount, 0);
    default:
        return 0;
    }
}

FaultPlan::FaultPlan(quint32 seed) : m_seed(seed), m_random(seed) {}

void FaultPlan::setSeed(quint32 seed)
{
    m_seed = seed;
    m_random.seed(seed);
}

void FaultPlan::add(const FaultRule &rule)
{
    if (rule.count != 0)
        m_rules.append(rule);
}

void FaultPlan::addRandom(FaultKind kind, double probability, int amount)
{
    FaultRule r;
    r.kind = kind;
    r.probability = probability;
    r.amount = amount;
    add(r);
}

void FaultPlan::aim(FaultKind kind, int oven, int function, int count, int amount)
{
    FaultRule r;
    r.kind = kind;
    r.oven = oven;
    r.function = function;
    r.count = count;
    r.amount = amount;
    add(r);
}

void FaultPlan::clear()
{
    m_rules.clear();
}

std::optional<FaultRule> FaultPlan::pick(int oven, int function, SimReply::Kind replyKind)
{
    for (qsizetype i = 0; i < m_rules.size(); ++i) {
        FaultRule &rule = m_rules[i];
        if (!rule.matches(oven, function))
            continue;
        if (rule.kind == FaultKind::CorruptChecksum && replyKind != SimReply::Kind::Data)
            continue;
        // Only rules left to chance draw a number, so aimed rules keep the sequence unchanged.
        if (rule.probability < 1.0 && !(m_random.generateDouble() < rule.probability))
            continue;
        const FaultRule hit = rule;
        if (rule.count > 0 && --rule.count == 0)
            m_rules.removeAt(i);
        return hit;
    }
    return std::nullopt;
}

QByteArray FaultPlan::noise(int count)
{
    // Never 0x05, 0x06 or 0x15: noise stays noise and the answer after it stays readable.
    QByteArray out;
    while (out.size() < count) {
        const auto b = static_cast<char>(m_random.bounded(256));
        if (quint8(b) != kSimEnq && quint8(b) != kSimAck && quint8(b) != kSimNak)
            out.append(b);
    }
    return out;
}

void FaultPlan::apply(const FaultRule &rule, const SimReply &reply, QByteArray &wire)
{
    switch (rule.kind) {
    case FaultKind::CorruptChecksum:
        if (reply.kind == SimReply::Kind::Data)
            wire = frameDataReply(reply.data, replyChecksum(reply.data) ^ 0xFF);
        break;
    case FaultKind::LostBytes:
        for (int n = effectiveAmount(rule); n > 0 && !wire.isEmpty(); --n)
            wire.remove(static_cast<qsizetype>(m_random.bounded(static_cast<quint32>(wire.size()))), 1);
        break;
    case FaultKind::Silence:
        wire.clear();
        break;
    case FaultKind::Nak:
        wire = QByteArray(1, char(kSimNak));
        break;
    case FaultKind::Noise:
        wire.prepend(noise(effectiveAmount(rule)));
        break;
    case FaultKind::Vanish:
        break;
    }
}

} // namespace torvel::sim
