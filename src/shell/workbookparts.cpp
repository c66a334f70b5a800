#include "workbookparts.h"

#include "workbookxml.h"

#include <QDir>
#include <QUrl>
#include <QXmlStreamReader>

#include <algorithm>

namespace torvel {

QString relationsPartFor(const QString &part)
{
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QString() : part.left(slash + 1);
    const QString file = part.mid(slash + 1);
    return folder + QStringLiteral("_rels/") + file + QStringLiteral(".rels");
}

QString resolvePartTarget(const QString &sourcePart, const QString &target)
{
    QString path = QUrl::fromPercentEncoding(target.toUtf8());
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.startsWith(QLatin1Char('/'))) {
        path.remove(0, 1);
    } else {
        const qsizetype slash = sourcePart.lastIndexOf(QLatin1Char('/'));
        if (slash >= 0)
            path = sourcePart.left(slash + 1) + path;
    }
    path = QDir::cleanPath(path);
    return path.startsWith(QLatin1String("../")) ? QString() : path; // leaves the package
}

WorkbookStatus parseRelations(const QByteArray &xml, const QString &sourcePart,
                              QList<PartRelation> *relations)
{
    relations->clear();
    QXmlStreamReader reader(xml);
    while (nextStartElement(reader)) {
        if (reader.name() != QLatin1String("Relationship"))
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (attributes.value(QLatin1String("TargetMode")) == QLatin1String("External"))
            continue;
        PartRelation relation;
        relation.id = attributes.value(QLatin1String("Id")).toString();
        relation.type = attributes.value(QLatin1String("Type")).toString();
        relation.target = resolvePartTarget(sourcePart, attributes.value(QLatin1String("Target")).toString());
        if (!relation.id.isEmpty() && !relation.target.isEmpty())
            relations->append(relation);
    }
    return finished(reader);
}

const PartRelation *findRelationByType(const QList<PartRelation> &relations, const QString &typeSuffix)
{
    const QString suffix = QLatin1Char('/') + typeSuffix;
    for (const PartRelation &relation : relations) {
        if (relation.type.endsWith(suffix))
            return &relation;
    }
    return nullptr;
}

WorkbookStatus parseWorkbookPart(const QByteArray &xml, WorkbookIndex *index)
{
    *index = WorkbookIndex();
    bool haveSheet = false;
    QXmlStreamReader reader(xml);
    while (nextStartElement(reader)) {
        if (reader.name() == QLatin1String("sheet") && !haveSheet) {
            haveSheet = true;
            const QXmlStreamAttributes attributes = reader.attributes();
            index->firstSheetName = attributes.value(QLatin1String("name")).toString();
            // r:id, whatever the prefix; the sheet's own attributes have no namespace.
            for (const QXmlStreamAttribute &attribute : attributes) {
                if (attribute.name() == QLatin1String("id") && !attribute.namespaceUri().isEmpty())
                    index->firstSheetRelation = attribute.value().toString();
            }
        } else if (reader.name() == QLatin1String("definedName")) {
            const QXmlStreamAttributes attributes = reader.attributes();
            const bool printArea = attributes.value(QLatin1String("name")) == QLatin1String("_xlnm.Print_Area");
            const bool firstSheet = attributes.value(QLatin1String("localSheetId")) == QLatin1String("0");
            const QString formula = reader.readElementText();
            if (printArea && firstSheet && index->printArea.isEmpty())
                index->printArea = formula;
        }
    }
    const WorkbookStatus status = finished(reader);
    if (status != WorkbookStatus::Ok)
        return status;
    return haveSheet && !index->firstSheetRelation.isEmpty() ? WorkbookStatus::Ok : WorkbookStatus::Invalid;
}

WorkbookStatus parseSharedStrings(const QByteArray &xml, QStringList *strings)
{
    strings->clear();
    QXmlStreamReader reader(xml);
    while (nextStartElement(reader)) {
        if (reader.name() == QLatin1String("si"))
            strings->append(decodeCellText(readStringItem(reader)));
    }
    return finished(reader);
}

QString printAreaRange(const QString &formula)
{
    qsizetype i = 0;
    if (formula.startsWith(QLatin1Char('\''))) {
        // Quoted sheet name; '' stands for one apostrophe.
        for (i = 1; i < formula.size(); ++i) {
            if (formula.at(i) == QLatin1Char('\'')) {
                if (i + 1 < formula.size() && formula.at(i + 1) == QLatin1Char('\''))
                    ++i;
                else
                    break;
            }
        }
    }
    const qsizetype bang = formula.indexOf(QLatin1Char('!'), i);
    QString rest = bang < 0 ? formula : formula.mid(bang + 1);
    const qsizetype comma = rest.indexOf(QLatin1Char(','));
    if (comma >= 0)
        rest.truncate(comma);
    return rest.trimmed();
}

QString decodeCellText(const QString &text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('_') && i + 6 < text.size() && text.at(i + 1) == QLatin1Char('x')
            && text.at(i + 6) == QLatin1Char('_')) {
            const QStringView digits = QStringView(text).mid(i + 2, 4);
            const bool hex = std::all_of(digits.begin(), digits.end(), [](QChar c) {
                const char16_t u = c.unicode();
                return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
            });
            if (hex) {
                const uint code = digits.toUInt(nullptr, 16);
                result += QChar(char16_t(code));
                i += 6;
                continue;
            }
        }
        result += text.at(i);
    }
    return result;
}

} // namespace torvel
