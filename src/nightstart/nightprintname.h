#pragma once
// The sheet name while the night start grid is printed: the page heading carries the print time.

#include <QDateTime>
#include <QString>

namespace torvel {

// The name, ten blanks, the date in the system's short format, a blank and the time in its
// long format ("Nachtstartzeiten_Ofen_3          24.12.26 05:30:00").
QString nightPrintSheetName(const QString &sheetName, const QDateTime &now);

} // namespace torvel
