#pragma once
// The phone book: names and numbers in the user's order, kept in "Telefonbuch.ini" beside the
// program, one section "Telefonnummern" with one key per entry.

#include <QList>
#include <QString>

namespace torvel {

struct PhoneBookEntry {
    QString name;
    QString number;
    bool operator==(const PhoneBookEntry &) const = default;
};

using PhoneBook = QList<PhoneBookEntry>;

inline const QString kPhoneBookFileName = QStringLiteral("Telefonbuch.ini");

QString phoneBookPath(const QString &dir);

// A missing file is an empty book. False when the file exists but cannot be read; `book`
// is left as it was then.
bool loadPhoneBook(const QString &fileName, PhoneBook *book);

enum class PhoneBookSaveError { None, Writing, Creating, NotReplaceable };

// Writes the whole file anew through a temporary file; entries without a name stay out.
PhoneBookSaveError savePhoneBook(const QString &fileName, const PhoneBook &book);

// "TBError01 ..." to "TBError03 ..." (caption "ERROR").
QString phoneBookSaveMessage(PhoneBookSaveError error);
// "Telefonverzeichnis Telefonbuch.ini\r\nkann nicht erstellt werden!".
QString phoneBookReadMessage();

// The number of the first entry with this name; "ERROR" when none or its number is empty.
QString numberForName(const PhoneBook &book, const QString &name);

enum class EntryNameProblem { None, Invalid, Duplicate };

// Whether `name` may name an entry: not empty, no "=", no leading ";" or "[", only characters
// the file can hold, and not the name of another entry (letter case and outer blanks do not
// make names different). `editedRow` is the entry being renamed (-1 for a new one).
EntryNameProblem checkEntryName(const PhoneBook &book, const QString &name, int editedRow);
QString entryNameMessage(EntryNameProblem problem);

} // namespace torvel
