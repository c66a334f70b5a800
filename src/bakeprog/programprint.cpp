#include "programprint.h"

#include "bakeprogram.h"
#include "shell/sheetmodel.h"

#include <QLocale>

#include <algorithm>

namespace torvel {

namespace {
// The locale's long time format without its time zone ("HH:mm:ss t" -> "HH:mm:ss"): the
// printout names the local time of the print, as the clock on the wall shows it.
QString longTimeFormat(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (const QChar ch : format) {
        if (ch == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && ch == QLatin1Char('t'))
            continue;
        out += ch;
    }
    return out.trimmed();
}
} // namespace

QString printTimestamp(const QDateTime &when)
{
    const QLocale locale = QLocale::system();
    return locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ')
           + locale.toString(when.time(), longTimeFormat(locale));
}

QString printSheetName(const QString &sheetNameText, const QDateTime &when)
{
    return sheetNameText + QString(8, QLatin1Char(' ')) + printTimestamp(when);
}

ProgramPrintSetup::ProgramPrintSetup(SheetModel &list, const QString &sheetNameText, int first, int last,
                                     int printScale, const QDateTime &when)
    : m_list(list), m_sheetNameText(sheetNameText)
{
    first = std::max(first, 1);
    last = std::min(last, kMaxProgramNumber);
    m_valid = first <= last;
    if (!m_valid)
        return;
    const QRect selection = list.selection();
    const QRect range = SheetModel::range(first, 1, last, kProgramValueCount + 1);
    list.setSelection(range);
    list.setPrintArea(list.selection());
    list.setSelection(selection);
    list.setPrintHeadings(true);
    list.setSheetName(printSheetName(sheetNameText, when));
    list.setPrintScale(printScale);
    list.setLandscape(true);
}

ProgramPrintSetup::~ProgramPrintSetup()
{
    if (m_valid)
        m_list.setSheetName(m_sheetNameText);
}

} // namespace torvel
