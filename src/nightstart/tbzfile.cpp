#include "tbzfile.h"

#include "nightcheck.h"
#include "nightstartgrid.h"

#include "clock/clocktexts.h"
#include "link/cp1252.h"
#include "shell/profilefile.h"
#include "shell/sheetmodel.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <array>

namespace torvel {

namespace {
const std::array<const char *, kNightDays> kDayKeys{"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
const QString kUnsetStart = QStringLiteral("--:--");

QString keyOf(int day, int start)
{
    return QString::fromLatin1(kDayKeys[day]) + QString::number(start);
}

// Two digits or "--" on each side of the colon; empty for a key left out.
bool plausibleStart(const QString &value)
{
    static const QRegularExpression form(QStringLiteral("^(\\d\\d|--):(\\d\\d|--)$"));
    return value.isEmpty() || form.match(value).hasMatch();
}

void setFail(QString *error, const QString &text)
{
    if (error)
        *error = text;
}
} // namespace

QString tbzStartText(const SheetModel &grid, int row, int hourCol)
{
    int hour = 0;
    int minute = 0;
    // Two digits each, so a value the format cannot hold never garbles the file.
    if (!parseNightNumber(grid.text(row, hourCol), &hour) || !parseNightNumber(grid.text(row, hourCol + 1), &minute)
        || hour < 0 || hour > 99 || minute < 0 || minute > 99)
        return kUnsetStart;
    return QStringLiteral("%1:%2").arg(hour, 2, 10, QLatin1Char('0')).arg(minute, 2, 10, QLatin1Char('0'));
}

QByteArray tbzContent(const SheetModel &grid)
{
    ProfileFile ini(toCp1252(kTbzHeader) + "\r\n\r\n\r\n");
    for (int day = 0; day < kNightDays; ++day) {
        const int row = kNightFirstValueRow + day;
        ini.setValue(kTbzSection, keyOf(day, 1), tbzStartText(grid, row, 2));
        ini.setValue(kTbzSection, keyOf(day, 2), tbzStartText(grid, row, 4));
    }
    return ini.content() + "[ENDE]\r\n";
}

bool saveTbzFile(const SheetModel &grid, const QString &fileName, QString *error)
{
    if (const auto problem = findInvalidNightCell(grid)) {
        setFail(error, QStringLiteral("Nachtstartzeiten wurden nicht gespeichert:\r\n")
                           + nightCellProblemDescription(*problem));
        return false;
    }
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(tbzContent(grid));
        if (file.commit())
            return true;
    }
    setFail(error, QStringLiteral("Datei kann nicht geschrieben werden: %1").arg(fileName));
    return false;
}

bool loadTbzFile(const QString &fileName, SheetModel &grid, QString *error)
{
    const QFileInfo info(fileName);
    if (!info.exists() || info.isDir()) {
        setFail(error, QStringLiteral("Datei nicht gefunden: %1").arg(fileName));
        return false;
    }
    if (info.size() > kTbzMaxBytes) {
        setFail(error, QStringLiteral("Datei ist zu groß für Nachtstartzeiten: %1").arg(fileName));
        return false;
    }
    ProfileFile ini;
    if (!ini.load(fileName, error))
        return false;
    if (!ini.hasSection(kTbzSection)) {
        setFail(error, QStringLiteral("Datei enthält keine Nachtstartzeiten (Abschnitt [%1] fehlt): %2")
                           .arg(kTbzSection, fileName));
        return false;
    }
    std::array<QString, 2 * kNightDays> values;
    bool anyKey = false;
    for (int i = 0; i < 2 * kNightDays; ++i) {
        const QString key = keyOf(i / 2, i % 2 + 1);
        anyKey = anyKey || ini.contains(kTbzSection, key);
        values[i] = ini.value(kTbzSection, key);
        if (!plausibleStart(values[i])) {
            setFail(error, QStringLiteral("Ungültige Nachtstartzeit %1=%2 in Datei: %3").arg(key, values[i], fileName));
            return false;
        }
    }
    // A section without a single start time would load as an empty grid that a send writes out.
    if (!anyKey) {
        setFail(error, QStringLiteral("Datei enthält keine Nachtstartzeiten: %1").arg(fileName));
        return false;
    }
    grid.beginUpdate();
    for (int day = 0; day < kNightDays; ++day) {
        const int row = kNightFirstValueRow + day;
        grid.setText(row, 1, dayName(day));
        for (int start = 0; start < 2; ++start) {
            const QString &v = values[2 * day + start];
            grid.setText(row, 2 + 2 * start, v.mid(0, 2));
            grid.setText(row, 3 + 2 * start, v.mid(3, 2));
        }
    }
    grid.endUpdate();
    return true;
}

} // namespace torvel
