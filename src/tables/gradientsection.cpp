#include "gradientsection.h"

#include "shell/textlines.h"

namespace torvel {

namespace {
const QString kTitle = QStringLiteral("Steigunstabelle Torvel2EM:;");

QString deckPrefix(int deck)
{
    return QStringLiteral("HERD%1").arg(deck, 2, 10, QLatin1Char('0'));
}

QString threeDigits(int v)
{
    return QStringLiteral("%1").arg(v, 3, 10, QLatin1Char('0'));
}

// A decimal number, or -1 for anything that is none.
int fieldValue(const QString &field)
{
    bool ok = false;
    const int v = field.trimmed().toInt(&ok, 10);
    return ok ? v : -1;
}

// The values of one deck line, or the reason it is unusable.
bool parseDeckLine(const QString &line, int deck, std::array<int, kGradientValues> &values, QString *why)
{
    if (!line.startsWith(deckPrefix(deck)) || line.size() != kGradientDeckLineLength) {
        *why = QStringLiteral("erwartet %1;OH;UH;SH (18 Zeichen)").arg(deckPrefix(deck));
        return false;
    }
    const QString rest = line.mid(7);
    for (int v = 0; v < kGradientValues; ++v) {
        values[static_cast<std::size_t>(v)] = fieldValue(rest.mid(4 * v, 3));
        if (values[static_cast<std::size_t>(v)] < 0 || values[static_cast<std::size_t>(v)] > kGradientMaxValue) {
            *why = QStringLiteral("Werte müssen Zahlen von 0 bis 255 sein");
            return false;
        }
    }
    return true;
}
} // namespace

void WriteGradientSection(TextLineWriter &file, const GradientTable &table)
{
    file.writeLine(kTitle);
    for (int mode = GradientTag; mode <= GradientNacht; ++mode) {
        file.writeLine(mode == GradientTag ? QStringLiteral("TAG:;") : QStringLiteral("NACHT:;"));
        for (int deck = 1; deck <= kGradientDecks; ++deck)
            file.writeLine(deckPrefix(deck) + QLatin1Char(';') + threeDigits(table.value(mode, deck, GradientOH))
                           + QLatin1Char(';') + threeDigits(table.value(mode, deck, GradientUH)) + QLatin1Char(';')
                           + threeDigits(table.value(mode, deck, GradientSH)));
    }
}

void ReadGradientSection(TextLineReader &file, bool &failed, GradientTable &table, QString *problem)
{
    const auto fail = [&](const QString &line, const QString &why) {
        failed = true;
        if (problem)
            *problem = QStringLiteral("Zeile %1 \"%2\": %3").arg(file.lineNumber()).arg(line, why);
    };
    QString line;
    if (!file.readLine(&line)) { // the title, not looked at
        fail(line, QStringLiteral("Datei zu kurz"));
        return;
    }
    GradientTable read;
    for (int mode = GradientTag; mode <= GradientNacht; ++mode) {
        if (!file.readLine(&line)) { // the mode line, not looked at
            fail(line, QStringLiteral("Datei zu kurz"));
            return;
        }
        for (int deck = 1; deck <= kGradientDecks; ++deck) {
            std::array<int, kGradientValues> values{};
            QString why;
            if (!file.readLine(&line)) {
                fail(line, QStringLiteral("Datei zu kurz"));
                return;
            }
            if (!parseDeckLine(line, deck, values, &why)) {
                fail(line, why);
                return;
            }
            for (int v = 0; v < kGradientValues; ++v)
                read.setValue(mode, deck, v, values[static_cast<std::size_t>(v)]);
        }
    }
    table = read;
}

} // namespace torvel
