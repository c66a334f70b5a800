#include "phonebook.h"

#include "link/cp1252.h"
#include "shell/profilefile.h"

#include <QDir>
#include <QFileInfo>

namespace torvel {

namespace {
const QString kSection = QStringLiteral("Telefonnummern");

bool sameName(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

bool fileCanHold(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20)
            return false; // a line break would end the key's line
    return fromCp1252(toCp1252(text)) == text;
}
} // namespace

QString phoneBookPath(const QString &dir)
{
    return QDir(dir).filePath(kPhoneBookFileName);
}

bool loadPhoneBook(const QString &fileName, PhoneBook *book)
{
    ProfileFile file;
    if (!file.load(fileName))
        return false;
    PhoneBook read;
    for (const QString &key : file.keys(kSection)) {
        // Comment lines and a second key of the same name are no entries.
        if (checkEntryName(read, key, -1) == EntryNameProblem::None)
            read.append({key, file.value(kSection, key)});
    }
    *book = read;
    return true;
}

PhoneBookSaveError savePhoneBook(const QString &fileName, const PhoneBook &book)
{
    const QFileInfo info(fileName);
    if (info.exists() && (!info.isFile() || !info.isWritable()))
        return PhoneBookSaveError::NotReplaceable;
    if (!QFileInfo(info.absolutePath()).isWritable())
        return PhoneBookSaveError::Creating;
    ProfileFile file(QByteArrayLiteral("[Telefonnummern]\r\n"));
    for (const PhoneBookEntry &e : book)
        if (!e.name.trimmed().isEmpty())
            file.setValue(kSection, e.name.trimmed(), e.number.trimmed());
    return file.save(fileName) ? PhoneBookSaveError::None : PhoneBookSaveError::Writing;
}

QString phoneBookSaveMessage(PhoneBookSaveError error)
{
    const QString rest = QStringLiteral("\r\nTelefonverzeichnis Telefonbuch.ini\r\nkann nicht geschrieben werden!");
    switch (error) {
    case PhoneBookSaveError::None:
        break;
    case PhoneBookSaveError::Writing:
        return QStringLiteral("TBError01") + rest;
    case PhoneBookSaveError::Creating:
        return QStringLiteral("TBError02") + rest;
    case PhoneBookSaveError::NotReplaceable:
        return QStringLiteral("TBError03") + rest;
    }
    return {};
}

QString phoneBookReadMessage()
{
    return QStringLiteral("Telefonverzeichnis Telefonbuch.ini\r\nkann nicht erstellt werden!");
}

QString numberForName(const PhoneBook &book, const QString &name)
{
    for (const PhoneBookEntry &e : book) {
        if (e.name == name)
            return e.number.isEmpty() ? QStringLiteral("ERROR") : e.number;
    }
    return QStringLiteral("ERROR");
}

EntryNameProblem checkEntryName(const PhoneBook &book, const QString &name, int editedRow)
{
    const QString t = name.trimmed();
    if (t.isEmpty() || t.contains(QLatin1Char('=')) || t.startsWith(QLatin1Char(';'))
        || t.startsWith(QLatin1Char('[')) || !fileCanHold(t))
        return EntryNameProblem::Invalid;
    for (int row = 0; row < book.size(); ++row)
        if (row != editedRow && sameName(book.at(row).name, t))
            return EntryNameProblem::Duplicate;
    return EntryNameProblem::None;
}

QString entryNameMessage(EntryNameProblem problem)
{
    switch (problem) {
    case EntryNameProblem::None:
        break;
    case EntryNameProblem::Invalid:
        return QStringLiteral("Dieser Name kann nicht gespeichert werden!\r\nNamen dürfen nicht leer sein, kein \"=\" "
                              "enthalten\r\nund nicht mit \";\" oder \"[\" beginnen.");
    case EntryNameProblem::Duplicate:
        return QStringLiteral("Der gewünschte Name ist bereits vorhanden!\r\nBitte wählen sie einen anderen.");
    }
    return {};
}

} // namespace torvel
