#include "typedvalue.h"

#include "bakeprogram.h"
#include "programsheet.h"

namespace torvel {

namespace {
constexpr int kMaxMinutes = 0xFFFF / 60; // 1092
constexpr int kMaxValue = 0xFFFF;
} // namespace

int typedValueMaximum(int column, const QList<int> &minuteColumns)
{
    return isMinuteColumn(column, minuteColumns) ? kMaxMinutes : kMaxValue;
}

std::optional<QString> typedValueProblem(const QString &field, const QString &text, int maximum, bool minutes)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool digitsOnly = true;
    for (const QChar c : t)
        digitsOnly = digitsOnly && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    // Digits only: a sign, a fraction or an exponent is no value the controller holds.
    bool ok = false;
    const qint64 v = digitsOnly ? t.toLongLong(&ok, 10) : -1;
    if (ok && v <= maximum)
        return std::nullopt;
    return QStringLiteral("%1: \"%2\" ist kein gültiger Wert.\r\nErlaubt sind ganze Zahlen von 0 bis %3%4.")
        .arg(field, text)
        .arg(maximum)
        .arg(minutes ? QStringLiteral(" (Minuten)") : QString());
}

std::optional<QString> typedCellProblem(int row, int column, const QString &text,
                                        const QList<int> &minuteColumns)
{
    if (column < 2 || column > kProgramValueCount + 1)
        return std::nullopt; // the name takes any text
    const QString field = programColumnHeadings().value(column - 1) + QStringLiteral(", Programm ")
                          + QString::number(row);
    return typedValueProblem(field, text, typedValueMaximum(column, minuteColumns),
                             isMinuteColumn(column, minuteColumns));
}

} // namespace torvel
