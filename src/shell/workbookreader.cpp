#include "workbookreader.h"

#include "sheetmodel.h"
#include "workbookdata.h"
#include "workbookparts.h"
#include "workbookrefs.h"
#include "workbooksheet.h"
#include "workbookzip.h"

#include <QDir>
#include <QFileInfo>

namespace torvel {

namespace {

enum class Failure { None, Unreadable, Invalid, ArchiveTooLarge, SheetTooLarge };

Failure archiveFailure(WorkbookStatus status)
{
    switch (status) {
    case WorkbookStatus::Ok:
        return Failure::None;
    case WorkbookStatus::TooLarge:
        return Failure::ArchiveTooLarge;
    case WorkbookStatus::Missing:
    case WorkbookStatus::Invalid:
        break;
    }
    return Failure::Invalid;
}

QString message(Failure failure, const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    switch (failure) {
    case Failure::None:
        break;
    case Failure::Unreadable:
        return QStringLiteral("Datei kann nicht gelesen werden: %1").arg(name);
    case Failure::ArchiveTooLarge:
        return QStringLiteral("Arbeitsmappe ist zu groß: %1").arg(name);
    case Failure::SheetTooLarge:
        return QStringLiteral("Tabelle ist zu groß (höchstens %1 Zeilen und %2 Spalten): %3")
            .arg(SheetModel::kRowLimit)
            .arg(SheetModel::kColLimit)
            .arg(name);
    case Failure::Invalid:
        return QStringLiteral("Datei ist keine gültige Arbeitsmappe: %1").arg(name);
    }
    return QString();
}

// The workbook part named by the package relationships; xl/workbook.xml where they are missing.
Failure findWorkbookPart(WorkbookZip &zip, QString *part)
{
    *part = QStringLiteral("xl/workbook.xml");
    QByteArray xml;
    const WorkbookStatus status = zip.read(relationsPartFor(QString()), &xml);
    if (status == WorkbookStatus::Missing)
        return Failure::None;
    if (status != WorkbookStatus::Ok)
        return archiveFailure(status);
    QList<PartRelation> relations;
    if (parseRelations(xml, QString(), &relations) != WorkbookStatus::Ok)
        return Failure::Invalid;
    if (const PartRelation *office = findRelationByType(relations, QStringLiteral("officeDocument")))
        *part = office->target;
    return Failure::None;
}

// The first sheet's print area, when it is a plain range inside the grid's limits.
QRect printArea(const QString &formula)
{
    QRect area;
    if (formula.isEmpty() || !parseRangeRef(printAreaRange(formula).remove(QLatin1Char('$')), &area))
        return QRect();
    if (area.bottom() > SheetModel::kRowLimit || area.right() > SheetModel::kColLimit)
        return QRect();
    return area;
}

Failure readInto(WorkbookZip &zip, WorkbookData *data)
{
    Failure failure = archiveFailure(zip.open());
    QString workbookPart;
    if (failure == Failure::None)
        failure = findWorkbookPart(zip, &workbookPart);
    if (failure != Failure::None)
        return failure;

    QByteArray xml;
    WorkbookIndex index;
    if (WorkbookStatus status = zip.read(workbookPart, &xml); status != WorkbookStatus::Ok)
        return archiveFailure(status);
    if (parseWorkbookPart(xml, &index) != WorkbookStatus::Ok)
        return Failure::Invalid;

    QList<PartRelation> relations;
    if (WorkbookStatus status = zip.read(relationsPartFor(workbookPart), &xml); status != WorkbookStatus::Ok)
        return archiveFailure(status);
    if (parseRelations(xml, workbookPart, &relations) != WorkbookStatus::Ok)
        return Failure::Invalid;

    QStringList shared;
    if (const PartRelation *strings = findRelationByType(relations, QStringLiteral("sharedStrings"))) {
        if (WorkbookStatus status = zip.read(strings->target, &xml); status != WorkbookStatus::Ok)
            return archiveFailure(status);
        if (parseSharedStrings(xml, &shared) != WorkbookStatus::Ok)
            return Failure::Invalid;
    }

    const PartRelation *sheet = nullptr;
    for (const PartRelation &relation : std::as_const(relations)) {
        if (relation.id == index.firstSheetRelation)
            sheet = &relation;
    }
    if (!sheet)
        return Failure::Invalid;
    if (WorkbookStatus status = zip.read(sheet->target, &xml); status != WorkbookStatus::Ok)
        return archiveFailure(status);
    switch (parseSheetPart(xml, shared, data)) {
    case WorkbookStatus::Ok:
        break;
    case WorkbookStatus::TooLarge:
        return Failure::SheetTooLarge;
    case WorkbookStatus::Missing:
    case WorkbookStatus::Invalid:
        return Failure::Invalid;
    }
    data->sheetName = index.firstSheetName;
    data->print.area = printArea(index.printArea);
    return Failure::None;
}

} // namespace

bool readWorkbook(const QString &path, WorkbookData *data, QString *error)
{
    const QFileInfo info(path);
    Failure failure = Failure::None;
    WorkbookData read;
    if (!info.isFile() || !info.isReadable()) {
        failure = Failure::Unreadable;
    } else {
        WorkbookZip zip(path);
        failure = readInto(zip, &read);
    }
    if (failure != Failure::None) {
        if (error)
            *error = message(failure, path);
        return false;
    }
    *data = read;
    return true;
}

} // namespace torvel
