#include "nightprinter.h"

#include "nightstart/nightprintname.h"
#include "nightstart/nighttexts.h"
#include "shell/prompter.h"
#include "shell/sheetmodel.h"
#include "shell/ui/sheetprinter.h"

#include <QDateTime>

namespace torvel {

namespace {
// Puts the remembered sheet name back on every way out.
class SheetNameKeeper
{
public:
    explicit SheetNameKeeper(SheetModel &sheet) : m_sheet(sheet), m_name(sheet.sheetName()) {}
    ~SheetNameKeeper() { m_sheet.setSheetName(m_name); }
    SheetNameKeeper(const SheetNameKeeper &) = delete;
    SheetNameKeeper &operator=(const SheetNameKeeper &) = delete;
    const QString &name() const { return m_name; }

private:
    SheetModel &m_sheet;
    QString m_name;
};
} // namespace

bool printNightGrid(SheetModel &grid, Prompter &prompter, QWidget *parent, const SheetPrintFunction &print)
{
    SheetNameKeeper keeper(grid);
    grid.setSheetName(nightPrintSheetName(keeper.name(), QDateTime::currentDateTime()));
    grid.setLandscape(false);
    const bool printed = print ? print(grid, parent) : printSheetWithDialog(grid, parent);
    // A cancelled or failed print is not announced as printing.
    if (printed)
        prompter.showMessageWindow(nighttext::kPrinting);
    return printed;
}

} // namespace torvel
