#include "nightprintname.h"

#include <QLocale>

namespace torvel {

QString nightPrintSheetName(const QString &sheetName, const QDateTime &now)
{
    const QLocale locale = QLocale::system();
    return sheetName + QString(10, QLatin1Char(' ')) + locale.toString(now.date(), QLocale::ShortFormat)
           + QLatin1Char(' ') + locale.toString(now.time(), QLocale::LongFormat);
}

} // namespace torvel
