#include "simoptions.h"

#include "simline.h"

#include <QRegularExpression>

namespace torvel::sim {

namespace {
bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

bool validOven(int oven)
{
    return oven >= 1 && oven <= SimLine::kOvens;
}
} // namespace

std::optional<QList<int>> parseOvenList(const QString &text, QString *error)
{
    QList<int> ovens;
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
        return ovens;
    static const QRegularExpression item(QStringLiteral("^(\\d+)(?:-(\\d+))?$"));
    for (const QString &part : t.split(QLatin1Char(','))) {
        const auto m = item.match(part.trimmed());
        const int first = m.captured(1).toInt();
        const int last = m.captured(2).isEmpty() ? first : m.captured(2).toInt();
        if (!m.hasMatch() || !validOven(first) || !validOven(last) || last < first) {
            fail(error, QStringLiteral("bad oven list \"%1\": ovens are 1 to %2").arg(text).arg(SimLine::kOvens));
            return std::nullopt;
        }
        for (int oven = first; oven <= last; ++oven) {
            if (!ovens.contains(oven))
                ovens.append(oven);
        }
    }
    return ovens;
}

std::optional<BakerySetting> parseBakerySetting(const QString &text, QString *error)
{
    static const QRegularExpression re(QStringLiteral("^([0-9*#]+)=(.+)$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch()) {
        fail(error, QStringLiteral("bad bakery \"%1\": NUMBER=OVENS, e.g. 201=1,7").arg(text));
        return std::nullopt;
    }
    const auto ovens = parseOvenList(m.captured(2), error);
    if (!ovens)
        return std::nullopt;
    return BakerySetting{m.captured(1), *ovens};
}

std::optional<VersionSetting> parseVersionSetting(const QString &text, QString *error)
{
    static const QRegularExpression re(
        QStringLiteral("^(\\d+)=((?:0x)?[0-9a-f]+)(?:\\.(\\d+))?(?::(\\d+))?$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(text.trimmed());
    bool wordOk = false;
    const uint word = m.captured(2).toUInt(&wordOk, 0);
    const int oven = m.captured(1).toInt();
    const int revision = m.captured(3).toInt();
    const int capability = m.captured(4).toInt();
    if (!m.hasMatch() || !validOven(oven) || !wordOk || word > 0xFFFF || revision > 255 || capability > 255) {
        fail(error, QStringLiteral("bad version \"%1\": expected OVEN=VWORD[.REV][:CAP], e.g. 3=291.3:99").arg(text));
        return std::nullopt;
    }
    VersionSetting s;
    s.oven = oven;
    s.version.word = static_cast<quint16>(word);
    if (!m.captured(3).isEmpty())
        s.version.revision = static_cast<quint8>(revision);
    if (!m.captured(4).isEmpty())
        s.version.capability = static_cast<quint8>(capability);
    return s;
}

std::optional<FaultRule> parseFaultRule(const QString &text, QString *error)
{
    static const QRegularExpression re(
        QStringLiteral("^([a-z]+)(?:=(\\d+))?(?::(\\d*\\.?\\d+)|@(\\*|\\d+):(\\*|addr|(?:0x)?[0-9a-f]{1,2})(?:x(\\*|\\d+))?)$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(text.trimmed());
    const auto kind = faultKindFromName(m.captured(1));
    const auto bad = [&](const QString &why) {
        fail(error, QStringLiteral("bad fault \"%1\": %2").arg(text, why));
        return std::nullopt;
    };
    if (!m.hasMatch())
        return bad(QStringLiteral("expected KIND[=N]:PROB or KIND[=N]@OVEN:FUNC[xCOUNT]"));
    if (!kind)
        return bad(QStringLiteral("kinds are checksum, lost, silence, nak, noise, vanish"));
    FaultRule rule;
    rule.kind = *kind;
    if (!m.captured(2).isEmpty())
        rule.amount = m.captured(2).toInt();
    if (!m.captured(3).isEmpty()) {
        rule.probability = m.captured(3).toDouble();
        if (rule.probability > 1.0)
            return bad(QStringLiteral("a probability lies between 0 and 1"));
        return rule;
    }
    const QString oven = m.captured(4);
    const QString function = m.captured(5).toLower();
    const QString count = m.captured(6);
    rule.oven = oven == QLatin1String("*") ? kAnyOven : oven.toInt();
    if (rule.oven != kAnyOven && !validOven(rule.oven))
        return bad(QStringLiteral("ovens are 1 to %1").arg(SimLine::kOvens));
    if (function == QLatin1String("*"))
        rule.function = kAnyFunction;
    else if (function == QLatin1String("addr"))
        rule.function = kAddressing;
    else
        rule.function = function.toInt(nullptr, 16);
    rule.count = count.isEmpty() ? 1 : (count == QLatin1String("*") ? -1 : count.toInt());
    if (rule.count == 0)
        return bad(QStringLiteral("a count of 0 hits nothing"));
    return rule;
}

} // namespace torvel::sim
