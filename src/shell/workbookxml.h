#pragma once
// Stepping helpers over QXmlStreamReader shared by the workbook part parsers.

#include "workbookstatus.h"

#include <QString>

class QXmlStreamReader;

namespace torvel {

// Moves to the next start tag; false at the end or on an error. A document type
// declaration counts as an error: workbook parts never carry one, and refusing it
// rules out entity expansion tricks.
bool nextStartElement(QXmlStreamReader &reader);

// Ok when the reader got through the document without an error.
WorkbookStatus finished(const QXmlStreamReader &reader);

// At the start of a string item (<si> or <is>): the text of its <t> elements, rich text
// runs joined, phonetic hints (<rPh>) left out. Ends on the item's end tag.
QString readStringItem(QXmlStreamReader &reader);

} // namespace torvel
