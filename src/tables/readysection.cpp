#include "readysection.h"

#include "readytime.h"

#include "shell/textlines.h"

namespace torvel {

namespace {
const QString kHashes = QStringLiteral("###################");
const QString kDayPrefix = QStringLiteral("WOCHENTAG");
const QString kDeckPrefix = QStringLiteral("XX;HERD");

std::optional<int> decimal(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    return ok ? std::optional<int>(v) : std::nullopt;
}

// "34:07" and the like: two-digit hours and minutes that no time of day has.
std::optional<int> twoDigitFields(const QString &text)
{
    if (text.size() != 5 || text.at(2) != QLatin1Char(':'))
        return std::nullopt;
    for (int i : {0, 1, 3, 4})
        if (text.at(i) < QLatin1Char('0') || text.at(i) > QLatin1Char('9'))
            return std::nullopt;
    return text.left(2).toInt() * 60 + text.mid(3).toInt();
}

// The text from `pos` up to the next semicolon (or the end); `pos` moves past the semicolon.
QString takeField(const QString &line, qsizetype &pos)
{
    const qsizetype semi = line.indexOf(QLatin1Char(';'), pos);
    const QString field = semi < 0 ? line.mid(pos) : line.mid(pos, semi - pos);
    pos = semi < 0 ? line.size() : semi + 1;
    return field;
}

class SectionReader
{
public:
    SectionReader(ReadyTable &table, ReadyBlockFlags &present) : m_table(table), m_present(present) {}

    // An empty text when the line was taken, else why it is unusable.
    QString take(QString line)
    {
        if (line.toUpper().startsWith(kDayPrefix))
            return takeDay(line);
        if (line.toUpper().startsWith(kDeckPrefix))
            return takeDeck(line);
        const qsizetype semi = line.indexOf(QLatin1Char(';'));
        if (semi == 1) {
            if (!line.at(0).isDigit())
                return QStringLiteral("Woche ist keine Zahl");
            line.prepend(QLatin1Char('0'));
        } else if (!decimal(line.left(2))) {
            return {}; // "###...;" lines, empty lines
        }
        if (m_day < 0 || m_deck < 1)
            return QStringLiteral("Einträge vor der Zeile WOCHENTAG oder XX;HERD");
        qsizetype pos = 0;
        while (pos < line.size() && line.indexOf(QLatin1Char(';'), pos) >= 0) {
            const int woche = decimal(takeField(line, pos)).value_or(-1);
            const QString time = takeField(line, pos);
            if (woche < 0)
                return QStringLiteral("Woche ist keine Zahl ab 0");
            int minutes = kReadyEmptyMinutes;
            if (woche != kReadyEmptyWoche) {
                const auto parsed = timeOfDayMinutes(time);
                const auto fields = parsed ? parsed : twoDigitFields(time);
                if (!fields)
                    return QStringLiteral("Zeit \"%1\" ist keine Uhrzeit hh:mm").arg(time);
                minutes = *fields;
            }
            if (m_entry > kReadyEntries)
                return QStringLiteral("mehr als %1 Einträge für Herd %2").arg(kReadyEntries).arg(m_deck);
            m_table.entry(m_day, m_deck, m_entry++) = {woche, minutes};
            // Present only when whole: a block cut short would send its missing entries empty.
            if (m_entry > kReadyEntries)
                m_present.set(m_day, m_deck);
        }
        return {};
    }

private:
    QString takeDay(const QString &line)
    {
        qsizetype pos = 0;
        takeField(line, pos); // "WOCHENTAG"
        const auto day = decimal(takeField(line, pos));
        if (!day || *day < 0 || *day >= kReadyDays)
            return QStringLiteral("Wochentag muss 0 bis 6 sein");
        m_day = *day;
        m_deck = 1;
        m_entry = 1;
        return {};
    }

    QString takeDeck(const QString &line)
    {
        const QChar deck = line.size() > kDeckPrefix.size() ? line.at(kDeckPrefix.size()) : QChar();
        if (deck < QLatin1Char('1') || deck > QLatin1Char('9'))
            return QStringLiteral("Herd muss 1 bis 9 sein");
        m_deck = deck.unicode() - '0';
        m_entry = 1;
        return {};
    }

    ReadyTable &m_table;
    ReadyBlockFlags &m_present;
    int m_day = -1;
    int m_deck = 0;
    int m_entry = 0;
};
} // namespace

void WriteReadySection(TextLineWriter &file, const ReadyTable &table)
{
    for (int day = 0; day < kReadyDays; ++day) {
        file.writeLine(kHashes + QLatin1Char(';'));
        file.writeLine(QStringLiteral("WOCHENTAG;%1;").arg(day) + kHashes + QLatin1Char(';'));
        for (int deck = 1; deck <= kReadyDecks; ++deck) {
            file.writeLine(QStringLiteral("XX;HERD%1;").arg(deck).repeated(4));
            for (int row = 0; row < kReadyEntries / 4; ++row) {
                QString line;
                for (int i = 4 * row + 1; i <= 4 * row + 4; ++i) {
                    const ReadyEntry &e = table.entry(day, deck, i);
                    line += QString::asprintf("%.2d;", e.woche) + readyTimeText(e.minutes) + QLatin1Char(';');
                }
                file.writeLine(line);
            }
        }
        file.writeLine(QString());
    }
}

void ReadReadySection(TextLineReader &file, ReadyBlockFlags &flags, ReadyTable &table, bool &failed,
                      QString *problem)
{
    ReadyTable read;
    ReadyBlockFlags present;
    SectionReader reader(read, present);
    QString line;
    while (file.readLine(&line)) {
        const QString why = reader.take(line);
        if (!why.isEmpty()) {
            failed = true;
            if (problem)
                *problem = QStringLiteral("Zeile %1 \"%2\": %3").arg(file.lineNumber()).arg(line, why);
            return;
        }
    }
    table = read;
    flags = present;
}

} // namespace torvel
