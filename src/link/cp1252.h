#pragma once
// Windows-1252, the character set of the controller texts and of the text files.

#include <QByteArray>
#include <QString>

namespace torvel {

QString fromCp1252(const QByteArray &bytes);
// Characters Windows-1252 cannot hold become '?'.
QByteArray toCp1252(const QString &text);

} // namespace torvel
