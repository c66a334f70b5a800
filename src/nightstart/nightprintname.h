#pragma once
// The sheet name while the night start grid is printed: the page heading carries the print time.

#include <QDateTime>
#include <QString>

namespace torvel {

// The name, ten blanks, then the date and time in the system's short date and long time
// ("Nachtstartzeiten_Ofen_3          24.12.26 05:30:00 CET").
QString nightPrintSheetName(const QString &sheetName, const QDateTime &now);

} // namespace torvel
