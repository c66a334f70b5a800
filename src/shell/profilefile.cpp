#include "profilefile.h"

#include "link/cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace torvel {

namespace {
// "[Name]" (blanks around allowed) -> "Name"; anything else -> null string.
QString sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return {};
    return t.mid(1, close - 1).trimmed();
}

bool splitKey(const QString &line, QString *key, QString *value)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    *key = line.left(eq).trimmed();
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return !key->isEmpty();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
} // namespace

ProfileFile::ProfileFile(const QByteArray &content)
{
    QString text = fromCp1252(content);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_lines = text.split(QLatin1Char('\n'));
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast(); // the line end of the last line
}

bool ProfileFile::load(const QString &fileName, QString *error)
{
    QFile file(fileName);
    if (!file.exists()) {
        m_lines.clear();
        return true;
    }
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Datei kann nicht gelesen werden: %1").arg(fileName);
        return false;
    }
    if (file.size() > kMaxFileBytes) {
        if (error)
            *error = QStringLiteral("Datei ist zu groß: %1").arg(fileName);
        return false;
    }
    *this = ProfileFile(file.readAll());
    return true;
}

bool ProfileFile::save(const QString &fileName, QString *error) const
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(content());
        if (file.commit())
            return true;
    }
    if (error)
        *error = QStringLiteral("Datei kann nicht geschrieben werden: %1").arg(fileName);
    return false;
}

QByteArray ProfileFile::content() const
{
    QByteArray out;
    for (const QString &line : m_lines)
        out += toCp1252(line) + "\r\n";
    return out;
}

int ProfileFile::sectionLine(const QString &section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString name = sectionName(m_lines.at(i));
        if (!name.isNull() && sameName(name, section))
            return i;
    }
    return -1;
}

int ProfileFile::sectionEnd(int header) const
{
    int i = header + 1;
    while (i < m_lines.size() && sectionName(m_lines.at(i)).isNull())
        ++i;
    return i;
}

int ProfileFile::keyLine(const QString &section, const QString &key) const
{
    const int header = sectionLine(section);
    if (header < 0)
        return -1;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        QString k;
        if (splitKey(m_lines.at(i), &k, nullptr) && sameName(k, key.trimmed()))
            return i;
    }
    return -1;
}

bool ProfileFile::hasSection(const QString &section) const
{
    return sectionLine(section) >= 0;
}

bool ProfileFile::contains(const QString &section, const QString &key) const
{
    return keyLine(section, key) >= 0;
}

QString ProfileFile::value(const QString &section, const QString &key, const QString &fallback) const
{
    const int line = keyLine(section, key);
    if (line < 0)
        return fallback;
    QString k, v;
    splitKey(m_lines.at(line), &k, &v);
    // Windows drops one pair of quotes around a value.
    if (v.size() >= 2 && ((v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"')))
                          || (v.startsWith(QLatin1Char('\'')) && v.endsWith(QLatin1Char('\'')))))
        v = v.mid(1, v.size() - 2);
    return v;
}

QStringList ProfileFile::keys(const QString &section) const
{
    QStringList out;
    const int header = sectionLine(section);
    if (header < 0)
        return out;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        QString k;
        if (splitKey(m_lines.at(i), &k, nullptr))
            out << k;
    }
    return out;
}

void ProfileFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString line = key.trimmed() + QLatin1Char('=') + value;
    const int existing = keyLine(section, key);
    if (existing >= 0) {
        m_lines[existing] = line;
        return;
    }
    const int header = sectionLine(section);
    if (header < 0) {
        m_lines << QLatin1Char('[') + section + QLatin1Char(']') << line;
        return;
    }
    // After the section's last non-empty line.
    int at = sectionEnd(header);
    while (at > header + 1 && m_lines.at(at - 1).trimmed().isEmpty())
        --at;
    m_lines.insert(at, line);
}

void ProfileFile::removeKey(const QString &section, const QString &key)
{
    const int line = keyLine(section, key);
    if (line >= 0)
        m_lines.removeAt(line);
}

} // namespace torvel
