#pragma once
// Printing a range of programs of the list: the range becomes the print area, headings on,
// landscape, the print scale of the settings, and for the duration of the print the sheet
// name carries the date and time.

#include <QDateTime>
#include <QString>

namespace torvel {

class SheetModel;

inline const QString kPrintRangeLabel = QStringLiteral("   Drucke von:");
inline const QString kPrintingMessage = QStringLiteral("Fenster \"Backprogramme\" wird gedruckt");

// Short date, a blank and the time with seconds, in the system's formats (no time zone).
QString printTimestamp(const QDateTime &when);
// The sheet name printed: the window's sheet name text, eight blanks and the timestamp.
QString printSheetName(const QString &sheetNameText, const QDateTime &when);

// Sets the list up for printing rows first..last (clamped to 1..99; columns 1 to 24) and
// gives the sheet name back when it goes out of scope. The print area, headings,
// orientation and scale stay set, as they belong to the list's print setup.
class ProgramPrintSetup
{
public:
    ProgramPrintSetup(SheetModel &list, const QString &sheetNameText, int first, int last, int printScale,
                      const QDateTime &when = QDateTime::currentDateTime());
    ~ProgramPrintSetup();
    ProgramPrintSetup(const ProgramPrintSetup &) = delete;
    ProgramPrintSetup &operator=(const ProgramPrintSetup &) = delete;

    // False when the range holds no row (last below first).
    bool valid() const { return m_valid; }

private:
    SheetModel &m_list;
    QString m_sheetNameText;
    bool m_valid = false;
};

} // namespace torvel
