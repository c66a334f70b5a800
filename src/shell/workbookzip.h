#pragma once
// Read access to the parts of a workbook archive, with caps so that a hostile file
// (millions of entries, a small entry that inflates to gigabytes) cannot exhaust memory.
// Uses the same minizip library libxlsxwriter writes with (see workbook_deps.cmake).

#include "workbookstatus.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QString>

namespace torvel {

class WorkbookZip
{
public:
    static constexpr qint64 kPartLimit = 64 * 1024 * 1024;
    static constexpr quint64 kEntryLimit = 10000;

    explicit WorkbookZip(const QString &path);
    ~WorkbookZip();
    WorkbookZip(const WorkbookZip &) = delete;
    WorkbookZip &operator=(const WorkbookZip &) = delete;

    // Invalid for anything that is not a readable zip, TooLarge past kEntryLimit entries.
    WorkbookStatus open();

    // Part names compare without case, as package part names do.
    bool contains(const QString &part) const;
    WorkbookStatus read(const QString &part, QByteArray *bytes);

private:
    struct Entry
    {
        quint64 directoryOffset = 0; // where minizip finds the entry again
        quint64 number = 0;
        quint64 size = 0; // uncompressed, as the archive states it
    };

    QFile m_file;
    void *m_zip = nullptr; // minizip's unzFile
    QHash<QString, Entry> m_entries; // by lower-case name
};

} // namespace torvel
