#pragma once
// Holds the program's version text; made once at start-up and never shown, so the About
// box and the title bar read the same text without working it out again.

#include <QObject>
#include <QString>

namespace torvel {

class VersionHolder : public QObject
{
    Q_OBJECT
public:
    explicit VersionHolder(QObject *parent = nullptr);

    // "1.0.0 [Build 0]", or "0.0.0.0" when the build carries no usable version.
    QString versionText() const { return m_text; }

private:
    QString m_text;
};

} // namespace torvel
