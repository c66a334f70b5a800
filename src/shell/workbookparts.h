#pragma once
// The small XML parts of a workbook: relationships, the workbook part (sheet list,
// print area) and the shared string table. The sheet itself is in workbooksheet.h.

#include "workbookstatus.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace torvel {

struct PartRelation
{
    QString id;
    QString type;   // full relationship type URI
    QString target; // part name inside the archive, resolved, without leading '/'
};

struct WorkbookIndex
{
    QString firstSheetName;
    QString firstSheetRelation; // r:id of the first sheet
    QString printArea;          // the first sheet's print area formula, e.g. "'A b'!$A$1:$C$9"
};

// "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels"; an empty part means the package.
QString relationsPartFor(const QString &part);
// A relationship target seen from sourcePart: "worksheets/s.xml", "/xl/s.xml", "../x.xml".
QString resolvePartTarget(const QString &sourcePart, const QString &target);

// External targets are left out.
WorkbookStatus parseRelations(const QByteArray &xml, const QString &sourcePart,
                              QList<PartRelation> *relations);
// The first relation whose type ends in "/" + typeSuffix, or nullptr.
const PartRelation *findRelationByType(const QList<PartRelation> &relations, const QString &typeSuffix);

WorkbookStatus parseWorkbookPart(const QByteArray &xml, WorkbookIndex *index);
WorkbookStatus parseSharedStrings(const QByteArray &xml, QStringList *strings);

// The range of a print area formula (its first area): "'A b'!$A$1:$C$9" -> "$A$1:$C$9".
QString printAreaRange(const QString &formula);

// Undoes the "_x000D_" escapes workbook files use for characters XML cannot carry.
QString decodeCellText(const QString &text);

} // namespace torvel
