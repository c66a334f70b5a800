#include "gradientgrid.h"

#include "gradienttexts.h"

#include "shell/prompter.h"
#include "shell/sheetmodel.h"

#include <QStringList>

#include <cmath>

namespace torvel {

void setupGradientGrid(SheetModel &grid)
{
    static const QStringList headings{QStringLiteral("Herd"), QStringLiteral("Oberhitze /°C/min"),
                                      QStringLiteral("Unterhitze /°C/min"), QStringLiteral("Schwaden /°C/min")};
    grid.setMaxRow(kGradientGridRows);
    grid.setMaxCol(kGradientGridCols);
    for (int col = 1; col <= kGradientGridCols; ++col)
        grid.setColHeading(col, headings.at(col - 1));
}

QString gradientRateText(int value)
{
    return QString::asprintf("%3.1f", value / 16.0).replace(QLatin1Char('.'), QLatin1Char(','));
}

std::optional<int> parseGradientRate(const QString &text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    static const QString allowed = QStringLiteral("0123456789.");
    if (t.isEmpty() || t.count(QLatin1Char('.')) > 1 || t == QLatin1String("."))
        return std::nullopt;
    for (QChar c : t)
        if (!allowed.contains(c))
            return std::nullopt;
    const int value = static_cast<int>(std::lround(t.toDouble() * 16.0));
    if (value < 0 || value > kGradientMaxValue)
        return std::nullopt;
    return value;
}

bool ShowGradientTable(SheetModel &grid, const GradientTable &table, int mode, Prompter &prompter)
{
    grid.beginUpdate();
    grid.clearRange(SheetModel::range(1, 1, kGradientGridRows, kGradientGridCols));
    grid.endUpdate();
    if (table.isEmpty()) {
        prompter.inform(gradienttext::kAttention, gradienttext::kReadFirst);
        return false;
    }
    if (mode != GradientTag && mode != GradientNacht)
        return true;
    grid.beginUpdate();
    for (int deck = 1; deck <= kGradientDecks; ++deck) {
        grid.setText(deck, 1, QStringLiteral("Herd %1").arg(deck));
        for (int v = 0; v < kGradientValues; ++v)
            grid.setText(deck, 2 + v, gradientRateText(table.value(mode, deck, v)));
    }
    grid.endUpdate();
    return true;
}

} // namespace torvel
