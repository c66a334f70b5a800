#include "versionholder.h"

#include "shell/versiontext.h"

namespace torvel {

VersionHolder::VersionHolder(QObject *parent)
    : QObject(parent), m_text(applicationVersionText())
{
    setObjectName(QStringLiteral("TfVersion"));
}

} // namespace torvel
