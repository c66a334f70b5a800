#include "workbooksheet.h"

#include "sheetmodel.h"
#include "workbookdata.h"
#include "workbookparts.h"
#include "workbookrefs.h"
#include "workbookxml.h"

#include <QXmlStreamReader>

#include <cmath>

namespace torvel {

namespace {

bool fitsGrid(int row, int col)
{
    return row <= SheetModel::kRowLimit && col <= SheetModel::kColLimit;
}

bool isTrue(QStringView value)
{
    return value == QLatin1String("1") || value == QLatin1String("true");
}

class SheetParser
{
public:
    SheetParser(const QByteArray &xml, const QStringList &shared, WorkbookData *data)
        : m_reader(xml), m_shared(shared), m_data(data)
    {
    }

    WorkbookStatus run()
    {
        while (m_status == WorkbookStatus::Ok && nextStartElement(m_reader)) {
            const QStringView name = m_reader.name();
            if (name == QLatin1String("dimension"))
                readDimension();
            else if (name == QLatin1String("row"))
                readRow();
            else if (name == QLatin1String("c"))
                readCell();
            else if (name == QLatin1String("pageSetup"))
                readPageSetup();
            else if (name == QLatin1String("printOptions"))
                m_data->print.headings = isTrue(m_reader.attributes().value(QLatin1String("headings")));
        }
        if (m_status == WorkbookStatus::Ok)
            m_status = finished(m_reader);
        return m_status;
    }

private:
    void fail(WorkbookStatus status) { m_status = status; }

    // Only a quick refusal of a sheet that says it is huge; each cell is checked anyway.
    void readDimension()
    {
        QRect range;
        const QStringView ref = m_reader.attributes().value(QLatin1String("ref"));
        if (parseRangeRef(ref, &range) && !fitsGrid(range.bottom(), range.right()))
            fail(WorkbookStatus::TooLarge);
    }

    void readRow()
    {
        const QStringView r = m_reader.attributes().value(QLatin1String("r"));
        int row = m_row + 1;
        if (!r.isEmpty()) {
            bool ok = false;
            row = r.toInt(&ok);
            if (!ok || row < 1)
                return fail(WorkbookStatus::Invalid);
        }
        if (row > SheetModel::kRowLimit)
            return fail(WorkbookStatus::TooLarge);
        m_row = row;
        m_col = 0;
    }

    void readCell()
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        const QStringView ref = attributes.value(QLatin1String("r"));
        const QString type = attributes.value(QLatin1String("t")).toString();
        int row = m_row;
        int col = m_col + 1;
        if (!ref.isEmpty() && !parseCellRef(ref, &row, &col))
            return fail(WorkbookStatus::Invalid);
        if (row < 1)
            return fail(WorkbookStatus::Invalid); // no reference and no row around it
        if (!fitsGrid(row, col))
            return fail(WorkbookStatus::TooLarge);
        m_row = row;
        m_col = col;

        QString raw;
        bool haveValue = false;
        while (m_reader.readNextStartElement()) {
            if (m_reader.name() == QLatin1String("v")) {
                raw = m_reader.readElementText();
                haveValue = true;
            } else if (m_reader.name() == QLatin1String("is")) {
                raw = readStringItem(m_reader);
                haveValue = true;
            } else {
                m_reader.skipCurrentElement(); // formula, extensions
            }
        }
        if (m_reader.hasError() || !haveValue)
            return;
        const QVariant value = convert(type, raw);
        if (m_status == WorkbookStatus::Ok && value.isValid())
            m_data->cells.append(WorkbookCell{row, col, value});
    }

    QVariant convert(const QString &type, const QString &raw)
    {
        if (type == QLatin1String("s")) {
            bool ok = false;
            const int index = raw.trimmed().toInt(&ok);
            if (!ok || index < 0 || index >= m_shared.size())
                return refuse();
            return text(m_shared.at(index));
        }
        if (type == QLatin1String("inlineStr") || type == QLatin1String("str") || type == QLatin1String("e")
            || type == QLatin1String("d"))
            return text(decodeCellText(raw));
        if (type == QLatin1String("b"))
            return isTrue(raw.trimmed()) ? 1.0 : 0.0; // the grid has no truth values
        if (!type.isEmpty() && type != QLatin1String("n"))
            return refuse();
        if (raw.trimmed().isEmpty())
            return QVariant();
        bool ok = false;
        const double number = raw.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(number))
            return refuse();
        return number;
    }

    QVariant refuse()
    {
        fail(WorkbookStatus::Invalid);
        return QVariant();
    }

    // An empty text is an empty cell; a text past the cell limit is cut like a spreadsheet does.
    static QVariant text(const QString &value)
    {
        if (value.isEmpty())
            return QVariant();
        return value.left(SheetModel::kTextLimit);
    }

    void readPageSetup()
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        m_data->print.landscape = attributes.value(QLatin1String("orientation")) == QLatin1String("landscape");
        bool ok = false;
        const int scale = attributes.value(QLatin1String("scale")).toInt(&ok);
        if (ok)
            m_data->print.scale = scale;
    }

    QXmlStreamReader m_reader;
    const QStringList &m_shared;
    WorkbookData *m_data;
    WorkbookStatus m_status = WorkbookStatus::Ok;
    int m_row = 0;
    int m_col = 0;
};

} // namespace

WorkbookStatus parseSheetPart(const QByteArray &xml, const QStringList &sharedStrings, WorkbookData *data)
{
    return SheetParser(xml, sharedStrings, data).run();
}

} // namespace torvel
