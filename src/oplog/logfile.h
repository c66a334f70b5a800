#pragma once
// The .TB2 and CSV files of the logs: what the grid shows, as text lines ended by CR LF. The
// first line is the list's header (or the kind word), the second the grid's titles, then one
// line per row; every cell is followed by the separator. Opening splits on ";" only.

#include "logkind.h"
#include "operatinglist.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace torvel {

class SheetModel;

enum class LogFileType { Tb2, CsvSemicolon, CsvComma };

// The save dialog's types, in this order, and the open dialog's.
inline const QStringList kLogSaveFilters{QStringLiteral("Torvel-Betriebsdaten/Fehlerliste (*.TB2)"),
                                         QStringLiteral("CSV-Datei (Trennzeichen Semikolon) für Excel u.a. (*.CSV)"),
                                         QStringLiteral("CSV-Datei (Trennzeichen Komma) für Excel u.a. (*.CSV)")};
inline const QStringList kLogOpenFilters{QStringLiteral("Torvel-Betriebsdaten/Fehlerliste (*.TB2)"),
                                         QStringLiteral("Alle Dateien (*)")};
inline const QString kLogFileSuffix = QStringLiteral("TB2");
// A full log is about 200 KB as text; a file far larger is no log.
constexpr qint64 kLogFileMaxBytes = 8 * 1024 * 1024;

// The type of the n-th entry of kLogSaveFilters (the first for anything else).
LogFileType logFileTypeOfFilter(int index);
// .CSV: semicolon; anything else .TB2.
LogFileType logFileTypeOfName(const QString &fileName);
QChar logFileSeparator(LogFileType type);

// The window caption when it begins with the kind word (it is then the header of the last
// read or open of this kind), else the kind word.
QString logFileFirstLine(const QString &caption, LogKind kind);

// The file's bytes: the first line, then every row of the grid from row 0 (the titles).
QByteArray logFileContent(const SheetModel &grid, const QString &firstLine, QChar separator);

// Writes the file in one piece (the old file stays when this fails); `error` gets the reason.
bool saveOperatingFile(const QString &fileName, const SheetModel &grid, const QString &caption, LogKind kind,
                       LogFileType type, QString *error);

// The list a file holds, in the order saved. A first line that begins with the kind word is
// the header (and the title line after it is skipped), else the header is the kind word and
// the first line is skipped. Fields that are no numbers become -1. A missing, empty, binary
// or oversized file is refused with the reason in `error` and `list` untouched.
bool openOperatingFile(const QString &fileName, LogKind kind, OperatingList *list, QString *error);
// The same from the bytes of a file.
bool parseOperatingFile(const QByteArray &content, LogKind kind, OperatingList *list, QString *error);

} // namespace torvel
