#include "germantranslations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace torvel {

namespace {
const QString kName = QStringLiteral("qtbase_de");
} // namespace

bool installGermanTranslations(QApplication &app)
{
    if (app.findChild<QTranslator *>(kName, Qt::FindDirectChildrenOnly))
        return true;
    auto *translator = new QTranslator(&app);
    translator->setObjectName(kName);
    if (!translator->load(kName, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QApplication::installTranslator(translator);
    return true;
}

} // namespace torvel
