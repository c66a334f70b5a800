#include "programsheet.h"

#include "shell/sheetmodel.h"

namespace torvel {

void setupProgramSheet(SheetModel &sheet)
{
    sheet.setMaxCol(kProgramValueCount + 1);
    sheet.setMaxRow(kMaxProgramNumber);
    sheet.setSheetName(kProgramSheetName);
    sheet.setTitle(QStringLiteral("Backprogramme"));
    sheet.setCornerText(QStringLiteral("Nr."));
    const QStringList &headings = programColumnHeadings();
    for (int c = 0; c < headings.size(); ++c)
        sheet.setColHeading(c + 1, headings.at(c));
    for (int r = 1; r <= kMaxProgramNumber; ++r)
        sheet.setRowHeading(r, QString::number(r));
    sheet.setCurrentCell(1, 1);
}

QString programColumnDescription(int column, const QList<int> &minuteColumns)
{
    if (column == 1)
        return QStringLiteral("Programmname (höchstens 14 Zeichen)");
    if (column < 2 || column > kProgramValueCount + 1)
        return {};
    const int phase = (column - 2) / 5 + 1;
    const int field = (column - 2) % 5; // OH, UH, BZ, S, A
    const QString p = QString::number(phase);
    switch (field) {
    case 0:
        return QStringLiteral("Oberhitze Phase %1 in °C").arg(p);
    case 1:
        return QStringLiteral("Unterhitze Phase %1 in °C").arg(p);
    case 2:
        return QStringLiteral("Backzeit Phase %1 in Minuten").arg(p);
    case 3: // steam: off in odd, on in even settings
        return QStringLiteral("Schwaden %1: Sekunden %2").arg(p, phase % 2 ? QStringLiteral("AUS") : QStringLiteral("EIN"));
    default: // damper: closed in odd, open in even settings
        return QStringLiteral("Abzug %1: %2 %3")
            .arg(p, isMinuteColumn(column, minuteColumns) ? QStringLiteral("Minuten") : QStringLiteral("Sekunden"),
                 phase % 2 ? QStringLiteral("ZU") : QStringLiteral("AUF"));
    }
}

void describeProgramColumns(SheetModel &sheet, const QList<int> &minuteColumns)
{
    for (int c = 1; c <= kProgramValueCount + 1; ++c)
        sheet.setColToolTip(c, programColumnDescription(c, minuteColumns));
}

QString receivedSheetName(int oven)
{
    return QStringLiteral("Backprogramme_Ofen_") + QString::number(oven);
}

bool isMinuteColumn(int column, const QList<int> &minuteColumns)
{
    return minuteColumns.contains(column);
}

int displayValue(int column, quint16 stored, const QList<int> &minuteColumns)
{
    return isMinuteColumn(column, minuteColumns) ? stored / 60 : stored;
}

quint16 sendValue(int column, const QString &cellText, const QList<int> &minuteColumns)
{
    bool ok = false;
    qint64 v = cellText.toLongLong(&ok, 10);
    if (!ok || v < INT32_MIN || v > INT32_MAX)
        v = 0;
    if (isMinuteColumn(column, minuteColumns))
        v *= 60;
    return static_cast<quint16>(static_cast<quint64>(v) & 0xFFFF);
}

bool isFaultyName(const QString &name)
{
    return name.startsWith(marker::kErrorPrefix);
}

void putProgram(SheetModel &sheet, int number, const QString &name, const ProgramValues &stored,
                const QList<int> &minuteColumns)
{
    sheet.setText(number, 1, name);
    for (int i = 0; i < kProgramValueCount; ++i)
        sheet.setNumber(number, i + 2, displayValue(i + 2, stored[i], minuteColumns));
}

ProgramValues sendValues(const SheetModel &sheet, int number, const QList<int> &minuteColumns)
{
    ProgramValues v{};
    for (int i = 0; i < kProgramValueCount; ++i)
        v[i] = sendValue(i + 2, sheet.text(number, i + 2), minuteColumns);
    return v;
}

} // namespace torvel
