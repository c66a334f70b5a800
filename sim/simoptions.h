#pragma once
// The simulator's setting texts, as torvelsim takes them on its command line.
// Each parser returns nullopt and a message for the user on a bad text.

#include "faultplan.h"
#include "simstate.h"

#include <QList>
#include <QString>

#include <optional>

namespace torvel::sim {

// "1,3,5", "1-3,7", "none".
std::optional<QList<int>> parseOvenList(const QString &text, QString *error);

struct VersionSetting {
    int oven = 0;
    SimVersion version;
};

// "OVEN=VWORD[.REV][:CAP]": "3=291.3:99" is "2.91 r3" with M 99, "6=160" has neither r nor M.
std::optional<VersionSetting> parseVersionSetting(const QString &text, QString *error);

struct BakerySetting {
    QString number;
    QList<int> ovens;
};

// "NUMBER=OVENS": "201=1,7" is a bakery of its own under 201 with ovens 1 and 7.
std::optional<BakerySetting> parseBakerySetting(const QString &text, QString *error);

// "KIND[=N]:PROB" hits any answer with probability PROB; "KIND[=N]@OVEN:FUNC[xCOUNT]" the next
// COUNT (default 1, "*" without end) answers of OVEN ("*" any) to FUNC (hex code, "addr" for
// the addressing answer, "*" any). KIND is a faultKindName(); N its amount.
std::optional<FaultRule> parseFaultRule(const QString &text, QString *error);

} // namespace torvel::sim
