#include "tfversion.h"

#include "shell/versiontext.h"

namespace torvel {

TfVersion::TfVersion(QObject *parent)
    : QObject(parent), m_text(applicationVersionText())
{
    setObjectName(QStringLiteral("FVersion"));
}

} // namespace torvel
