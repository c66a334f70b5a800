#include "readyvalidate.h"

#include "shell/textlines.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

namespace torvel {

namespace {
bool minutesOutOfRange(int minutes)
{
    return minutes < 0 || (minutes >= kReadyMinutesPerDay && minutes != kReadyEmptyMinutes);
}

// A used week needs a time of day: the empty time belongs to empty entries only.
bool usedWithoutTime(const ReadyEntry &e)
{
    return e.woche >= 0 && e.woche < kReadyEmptyWoche && e.minutes == kReadyEmptyMinutes;
}

bool outOfRange(const ReadyEntry &e)
{
    return e.woche < 0 || e.woche > kReadyEmptyWoche || minutesOutOfRange(e.minutes) || usedWithoutTime(e);
}

QString entryLine(int day, int deck, const ReadyEntry &e)
{
    return QString::asprintf("Wochentag: %.1d - Herd: %.1d - Woche: %.2d - Minuten: %.1d", day, deck, e.woche,
                             e.minutes);
}
} // namespace

QString defaultLogFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/log");
}

bool ValidateReadyTable(ReadyTable &table, QString &message, const QString &logFolder)
{
    QStringList report{QStringLiteral("Folgende Werte lagen außerhalb des zulässigen Bereichs und"),
                       QStringLiteral("wurden geändert:")};
    const qsizetype titleLines = report.size();
    for (int day = 0; day < kReadyDays; ++day) {
        for (int deck = 1; deck <= kReadyDecks; ++deck) {
            for (int i = kReadyEntries; i >= 1; --i) {
                ReadyEntry &e = table.entry(day, deck, i);
                if (!outOfRange(e))
                    continue;
                report << QStringLiteral("Alter Wert:") << entryLine(day, deck, e);
                if (e.woche < 0 || e.woche > kReadyEmptyWoche || usedWithoutTime(e))
                    e = ReadyEntry{};
                else
                    e.minutes = table.entry(day, deck, i == 1 ? 2 : i - 1).minutes;
                if (outOfRange(e)) // the neighbour was no better
                    e = ReadyEntry{};
                report << QStringLiteral("Neuer Wert:") << entryLine(day, deck, e);
            }
        }
    }
    if (report.size() == titleLines)
        return false;

    const QString file = QDir(logFolder).absoluteFilePath(kReadyCheckFileName);
    TextLineWriter writer;
    for (const QString &line : std::as_const(report))
        writer.writeLine(line);
    QString error;
    const bool written = QDir().mkpath(logFolder) && writeTextFile(file, writer.bytes(), &error);
    message += QStringLiteral("\r\nEinige Werte der Bereittabelle lagen\r\naußerhalb des zulässigen Bereichs und\r\n"
                              "wurden geändert!\r\n\r\n");
    message += written ? QStringLiteral("Änderungen sind in der folgenden Datei protokolliert:\r\n")
                       : QStringLiteral("Die Änderungen konnten nicht protokolliert werden in der Datei:\r\n");
    message += QDir::toNativeSeparators(file) + QStringLiteral("\r\n");
    return true;
}

} // namespace torvel
