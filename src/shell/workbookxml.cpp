#include "workbookxml.h"

#include <QXmlStreamReader>

namespace torvel {

bool nextStartElement(QXmlStreamReader &reader)
{
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::DTD) {
            reader.raiseError(QStringLiteral("DTD"));
            return false;
        }
        if (token == QXmlStreamReader::StartElement)
            return true;
    }
    return false;
}

WorkbookStatus finished(const QXmlStreamReader &reader)
{
    return reader.hasError() ? WorkbookStatus::Invalid : WorkbookStatus::Ok;
}

QString readStringItem(QXmlStreamReader &reader)
{
    QString text;
    int depth = 1;
    while (depth > 0 && !reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (reader.name() == QLatin1String("t"))
                text += reader.readElementText(); // ends on </t>: depth unchanged
            else if (reader.name() == QLatin1String("rPh"))
                reader.skipCurrentElement();
            else
                ++depth;
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return text;
}

} // namespace torvel
