#include "workbookwriter.h"

#include "sheetmodel.h"
#include "workbookdata.h"
#include "workbookrefs.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <clocale>
#include <string>

#ifndef Q_OS_WIN
#include <locale.h>
#endif

namespace torvel {

namespace {

// libxlsxwriter prints numbers with the C library's printf, which follows the user's
// locale (Qt switches to it on start): "2,5" would spoil the file. This thread writes
// with the "C" numeric rules while the guard lives.
class CNumericLocale
{
public:
#ifdef Q_OS_WIN
    CNumericLocale()
        : m_mode(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE))
    {
        const char *current = std::setlocale(LC_NUMERIC, nullptr);
        m_previous = current ? current : "C";
        std::setlocale(LC_NUMERIC, "C");
    }
    ~CNumericLocale()
    {
        std::setlocale(LC_NUMERIC, m_previous.c_str());
        _configthreadlocale(m_mode);
    }

private:
    int m_mode;
    std::string m_previous;
#else
    CNumericLocale()
        : m_c(newlocale(LC_ALL_MASK, "C", locale_t(nullptr)))
    {
        if (m_c)
            m_previous = uselocale(m_c);
    }
    ~CNumericLocale()
    {
        if (m_c) {
            uselocale(m_previous);
            freelocale(m_c);
        }
    }

private:
    locale_t m_c;
    locale_t m_previous = nullptr;
#endif
    CNumericLocale(const CNumericLocale &) = delete;
    CNumericLocale &operator=(const CNumericLocale &) = delete;
};

QByteArray nativePath(const QString &path)
{
#ifdef Q_OS_WIN
    return path.toUtf8(); // libxlsxwriter widens UTF-8 names itself there
#else
    return QFile::encodeName(path);
#endif
}

bool writeCells(lxw_worksheet *sheet, const WorkbookData &data)
{
    for (const WorkbookCell &cell : data.cells) {
        if (cell.row < 1 || cell.col < 1 || cell.row > LXW_ROW_MAX || cell.col > LXW_COL_MAX)
            return false;
        const auto row = static_cast<lxw_row_t>(cell.row - 1);
        const auto col = static_cast<lxw_col_t>(cell.col - 1);
        lxw_error result = LXW_NO_ERROR;
        if (cell.value.typeId() == QMetaType::QString) {
            const QByteArray text = cell.value.toString().toUtf8();
            result = worksheet_write_string(sheet, row, col, text.constData(), nullptr);
        } else if (cell.value.isValid()) {
            result = worksheet_write_number(sheet, row, col, cell.value.toDouble(), nullptr);
        }
        if (result != LXW_NO_ERROR)
            return false;
    }
    return true;
}

void writePrintSetup(lxw_worksheet *sheet, const WorkbookPrintSetup &print)
{
    if (print.landscape)
        worksheet_set_landscape(sheet);
    const int scale = std::clamp(print.scale, SheetModel::kMinPrintScale, SheetModel::kMaxPrintScale);
    if (scale != 100)
        worksheet_set_print_scale(sheet, static_cast<uint16_t>(scale));
    if (!print.area.isNull() && print.area.left() >= 1 && print.area.top() >= 1) {
        worksheet_print_area(sheet, static_cast<lxw_row_t>(print.area.top() - 1),
                             static_cast<lxw_col_t>(print.area.left() - 1),
                             static_cast<lxw_row_t>(print.area.bottom() - 1),
                             static_cast<lxw_col_t>(print.area.right() - 1));
    }
    if (print.headings)
        worksheet_print_row_col_headers(sheet);
}

// Builds the whole workbook at scratchPath; false when libxlsxwriter gives up.
bool buildWorkbook(const WorkbookData &data, const QString &scratchPath, const QString &scratchDir)
{
    const CNumericLocale cLocale;
    QByteArray tmpdir = nativePath(scratchDir);
    lxw_workbook_options options = {};
    options.tmpdir = tmpdir.data();
    lxw_workbook *book = workbook_new_opt(nativePath(scratchPath).constData(), &options);
    if (!book)
        return false;
    const QByteArray name = sanitizeSheetName(data.sheetName).toUtf8();
    lxw_worksheet *sheet = workbook_add_worksheet(book, name.constData());
    bool good = sheet && writeCells(sheet, data);
    if (good)
        writePrintSetup(sheet, data.print);
    // Closing also frees the workbook, so it runs on failure too.
    const lxw_error closed = workbook_close(book);
    return good && closed == LXW_NO_ERROR;
}

} // namespace

bool writeWorkbook(const WorkbookData &data, const QString &path, QString *error)
{
    const QString failure = QStringLiteral("Datei kann nicht geschrieben werden: %1")
                                .arg(QDir::toNativeSeparators(path));
    // libxlsxwriter writes by file name only, so the workbook is built in a scratch
    // folder first and then copied over the target through QSaveFile in one step.
    QTemporaryDir scratch;
    bool good = scratch.isValid();
    QByteArray bytes;
    if (good) {
        const QString scratchPath = scratch.filePath(QStringLiteral("book.xlsx"));
        good = buildWorkbook(data, scratchPath, scratch.path());
        QFile built(scratchPath);
        good = good && built.open(QIODevice::ReadOnly);
        if (good)
            bytes = built.readAll();
        good = good && !bytes.isEmpty();
    }
    if (good) {
        QSaveFile target(path);
        good = target.open(QIODevice::WriteOnly) && target.write(bytes) == bytes.size() && target.commit();
    }
    if (!good && error)
        *error = failure;
    return good;
}

} // namespace torvel
