#include "testpattern.h"

#include "shell/sheetmodel.h"

#include <algorithm>

namespace torvel {

namespace {
QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

quint16 wrap(int v)
{
    return static_cast<quint16>(static_cast<unsigned>(v) & 0xFFFF);
}
} // namespace

ProgramTable testPattern(const TestPatternOptions &options)
{
    ProgramTable table;
    int v = options.countUp ? 1 : options.maxPrograms;
    for (int i = 1; i <= kMaxProgramNumber; ++i) {
        const int digit = i % 10;
        if (!(options.withGaps && (digit == 3 || digit == 5 || digit == 7))) {
            BakeProgram &p = table.at(i);
            // "%.2d": at least two digits, a minus sign before them (counting down from 11).
            p.name = (options.shortNames ? QStringLiteral("Test") : QStringLiteral("Test________"))
                     + QString::asprintf("%.2d", v);
            for (int k = 0; k < 5; ++k) {
                p.values[5 * k] = wrap(v + 200 + k);
                p.values[5 * k + 1] = wrap(v + 100 + k);
                p.values[5 * k + 2] = wrap(v + k);
                if (k < 4) {
                    p.values[5 * k + 3] = wrap(v + k + 1);
                    p.values[5 * k + 4] = wrap(v + k + 2);
                }
            }
        }
        v += options.countUp ? 1 : -1; // also after a gap
    }
    return table;
}

void fillTestPattern(SheetModel &list, const TestPatternOptions &options, int rows)
{
    const ProgramTable table = testPattern(options);
    list.beginUpdate();
    for (int i = 1; i <= std::min(rows, kMaxProgramNumber); ++i) {
        const BakeProgram &p = table.at(i);
        list.setText(i, 1, p.name);
        for (int c = 0; c < kProgramValueCount; ++c)
            list.setNumber(i, c + 2, p.values[c]);
    }
    list.endUpdate();
}

TestPatternCheck checkTestPattern(const SheetModel &list, const TestPatternOptions &options, int rows,
                                  bool ignoreTrailingBlanks)
{
    const ProgramTable table = testPattern(options);
    TestPatternCheck result;
    for (int i = 1; i <= std::min(rows, kMaxProgramNumber); ++i) {
        const BakeProgram &p = table.at(i);
        QString rowErrors;
        const auto differs = [&](int col) { rowErrors += QString::asprintf("%.2d-%.2d; ", i, col); };
        QString name = list.text(i, 1);
        QString expected = p.name;
        if (ignoreTrailingBlanks) {
            name = withoutTrailingBlanks(name);
            expected = withoutTrailingBlanks(expected);
        }
        if (name != expected)
            differs(1);
        for (int c = 0; c < kProgramValueCount; ++c)
            if (list.number(i, c + 2) != p.values[c])
                differs(c + 2);
        if (!rowErrors.isEmpty())
            result.errors += rowErrors + QStringLiteral("\r\n");
    }
    result.ok = result.errors.isEmpty();
    result.caption = result.ok ? QStringLiteral("O.K.") : QStringLiteral("Fehler");
    result.text = result.ok ? QStringLiteral("Alles O.K.") : QStringLiteral("ACHTUNG FEHLER:\r\n") + result.errors;
    return result;
}

} // namespace torvel
