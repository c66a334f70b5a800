#pragma once
// Seeded faults on the controllers' answers (never on the echo): each rule hits either by
// chance per matching answer or aimed at the next answers of one oven and function.

#include "simreply.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>

#include <optional>

namespace torvel::sim {

enum class FaultKind {
    CorruptChecksum, // a data reply arrives with a wrong checksum
    LostBytes,       // `amount` answer bytes (default 1) go missing
    Silence,         // no answer at all
    Nak,             // 0x15 instead of the answer
    Noise,           // `amount` stray bytes (default 3) before the answer
    Vanish,          // the controller answers `amount` frames more (this one included), then never again
};

constexpr int kAnyOven = 0;
constexpr int kAnyFunction = -1; // every answer, addressing included
constexpr int kAddressing = 0x100; // the 0x06 to an addressing frame

struct FaultRule {
    FaultKind kind = FaultKind::Silence;
    int oven = kAnyOven;
    int function = kAnyFunction;
    double probability = 1.0; // per matching answer
    int count = -1;           // answers it may still hit; -1 without limit
    int amount = -1;          // -1: the kind's default

    bool matches(int answerOven, int answerFunction) const;
};

// "checksum", "lost", "silence", "nak", "noise", "vanish".
QString faultKindName(FaultKind kind);
std::optional<FaultKind> faultKindFromName(const QString &name);
// The amount a rule works with once defaults are filled in.
int effectiveAmount(const FaultRule &rule);

class FaultPlan
{
public:
    explicit FaultPlan(quint32 seed = 1);

    // Restarts the random sequence: the same seed and traffic give the same faults.
    void setSeed(quint32 seed);
    quint32 seed() const { return m_seed; }

    void add(const FaultRule &rule);
    // Any answer of any oven, with `probability` each.
    void addRandom(FaultKind kind, double probability, int amount = -1);
    // The next `count` answers of `oven` to `function` (or kAddressing).
    void aim(FaultKind kind, int oven, int function, int count = 1, int amount = -1);
    void clear();
    bool isEmpty() const { return m_rules.isEmpty(); }
    const QList<FaultRule> &rules() const { return m_rules; }

    // The first rule in order of adding that hits this answer; it uses up one of its count.
    // A checksum fault only hits data replies.
    std::optional<FaultRule> pick(int oven, int function, SimReply::Kind replyKind);

    // Changes the answer bytes `wire` of `reply` as `rule` says. Vanish leaves them alone:
    // the line handles the controller.
    void apply(const FaultRule &rule, const SimReply &reply, QByteArray &wire);

private:
    QByteArray noise(int count);

    quint32 m_seed;
    QRandomGenerator m_random;
    QList<FaultRule> m_rules;
};

} // namespace torvel::sim
