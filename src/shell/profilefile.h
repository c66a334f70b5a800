#pragma once
// Ini ("profile") files as Windows reads and writes them: section and key names without
// regard to letter case, blanks around keys and values ignored, one key rewritten in place,
// every other line kept as it was; Windows-1252 text with CR LF.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace torvel {

class ProfileFile
{
public:
    ProfileFile() = default;
    // Parses file content (any line ends).
    explicit ProfileFile(const QByteArray &content);

    // Reads a file; a missing file reads as empty. False (with a German message) when the file
    // exists but cannot be read or is implausibly large.
    bool load(const QString &fileName, QString *error = nullptr);
    // Writes through a temporary file; the old file stays when the write fails.
    bool save(const QString &fileName, QString *error = nullptr) const;

    QString value(const QString &section, const QString &key, const QString &fallback = QString()) const;
    bool contains(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const;
    // Keys of a section in file order.
    QStringList keys(const QString &section) const;

    // Rewrites the key's line in place, or adds it at the end of its section, or adds the
    // section at the end of the file.
    void setValue(const QString &section, const QString &key, const QString &value);
    void removeKey(const QString &section, const QString &key);

    QByteArray content() const;
    const QStringList &lines() const { return m_lines; }

    static constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

private:
    // Line index of the section header, or -1.
    int sectionLine(const QString &section) const;
    // End (exclusive) of the section starting at header line `header`.
    int sectionEnd(int header) const;
    int keyLine(const QString &section, const QString &key) const;

    QStringList m_lines;
};

} // namespace torvel
