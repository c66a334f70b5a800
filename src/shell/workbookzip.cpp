#include "workbookzip.h"

#include <unzip.h>

namespace torvel {

namespace {

// minizip reads through these, so file names work the same on every system (Qt's
// QFile handles wide names on Windows, where fopen would not). The "file name" minizip
// hands to open is the QFile itself.
voidpf openFile(voidpf, const void *file, int)
{
    auto *qfile = static_cast<QFile *>(const_cast<void *>(file));
    return qfile->isOpen() || qfile->open(QIODevice::ReadOnly) ? qfile : nullptr;
}

uLong readFile(voidpf, voidpf stream, void *buffer, uLong size)
{
    const qint64 got = static_cast<QFile *>(stream)->read(static_cast<char *>(buffer), qint64(size));
    return got < 0 ? 0 : uLong(got);
}

uLong writeFile(voidpf, voidpf, const void *, uLong)
{
    return 0; // read only
}

ZPOS64_T tellFile(voidpf, voidpf stream)
{
    return ZPOS64_T(static_cast<QFile *>(stream)->pos());
}

long seekFile(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto *file = static_cast<QFile *>(stream);
    qint64 base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = file->pos();
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = file->size();
    return file->seek(base + qint64(offset)) ? 0 : -1;
}

int closeFile(voidpf, voidpf stream)
{
    static_cast<QFile *>(stream)->close();
    return 0;
}

int fileError(voidpf, voidpf stream)
{
    return static_cast<QFile *>(stream)->error() == QFileDevice::NoError ? 0 : -1;
}

} // namespace

WorkbookZip::WorkbookZip(const QString &path)
    : m_file(path)
{
}

WorkbookZip::~WorkbookZip()
{
    if (m_zip)
        unzClose(m_zip);
}

WorkbookStatus WorkbookZip::open()
{
    zlib_filefunc64_def io = {openFile, readFile, writeFile, tellFile, seekFile, closeFile, fileError, nullptr};
    m_zip = unzOpen2_64(&m_file, &io);
    if (!m_zip)
        return WorkbookStatus::Invalid;
    unz_global_info64 global;
    if (unzGetGlobalInfo64(m_zip, &global) != UNZ_OK)
        return WorkbookStatus::Invalid;
    if (global.number_entry > kEntryLimit)
        return WorkbookStatus::TooLarge;

    int result = unzGoToFirstFile(m_zip);
    while (result == UNZ_OK) {
        char name[512];
        unz_file_info64 info;
        unz64_file_pos position;
        if (unzGetCurrentFileInfo64(m_zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK
            || unzGetFilePos64(m_zip, &position) != UNZ_OK)
            return WorkbookStatus::Invalid;
        const QString key = QString::fromUtf8(name, qstrnlen(name, sizeof name)).toLower();
        m_entries.insert(key, Entry{position.pos_in_zip_directory, position.num_of_file,
                                    info.uncompressed_size});
        result = unzGoToNextFile(m_zip);
    }
    return result == UNZ_END_OF_LIST_OF_FILE ? WorkbookStatus::Ok : WorkbookStatus::Invalid;
}

bool WorkbookZip::contains(const QString &part) const
{
    return m_entries.contains(part.toLower());
}

WorkbookStatus WorkbookZip::read(const QString &part, QByteArray *bytes)
{
    bytes->clear();
    const auto entry = m_entries.constFind(part.toLower());
    if (entry == m_entries.cend())
        return WorkbookStatus::Missing;
    // minizip stops at the stated size, so refusing a big statement caps the inflating.
    if (entry->size > quint64(kPartLimit))
        return WorkbookStatus::TooLarge;
    const unz64_file_pos position{entry->directoryOffset, entry->number};
    if (unzGoToFilePos64(m_zip, &position) != UNZ_OK || unzOpenCurrentFile(m_zip) != UNZ_OK)
        return WorkbookStatus::Invalid;

    QByteArray data;
    char chunk[64 * 1024];
    for (;;) {
        const int got = unzReadCurrentFile(m_zip, chunk, sizeof chunk);
        if (got < 0 || data.size() + got > kPartLimit) {
            unzCloseCurrentFile(m_zip);
            return got < 0 ? WorkbookStatus::Invalid : WorkbookStatus::TooLarge;
        }
        if (got == 0)
            break;
        data.append(chunk, got);
    }
    // Reports a CRC mismatch once the whole entry was read.
    if (unzCloseCurrentFile(m_zip) != UNZ_OK)
        return WorkbookStatus::Invalid;
    *bytes = data;
    return WorkbookStatus::Ok;
}

} // namespace torvel
