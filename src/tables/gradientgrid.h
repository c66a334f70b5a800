#pragma once
// The grid `SteigungsGrid` of the gradient table page: one mode at a time, a row per deck,
// the columns "Herd", then top heat, bottom heat and steam in degC per minute (value / 16, one
// decimal, German decimal comma whatever the locale).

#include "gradienttable.h"

#include <QString>

#include <optional>

namespace torvel {

class Prompter;
class SheetModel;

constexpr int kGradientGridRows = kGradientDecks; // deck d in row d
constexpr int kGradientGridCols = 4;              // "Herd", OH, UH, SH

// Size and column headings; the cells stay as they are.
void setupGradientGrid(SheetModel &grid);
// "2,5" for 40.
QString gradientRateText(int value);
// A typed rate ("2,5", "2.5", "3") in 1/16 degC per minute, rounded; nullopt when it is no number
// or does not fit a byte (0 to 15,9).
std::optional<int> parseGradientRate(const QString &text);

// Empties every cell, then shows mode `mode` (0 Tag, 1 Nacht; any other mode shows nothing).
// A table that holds the marker is not shown: "Bitte erst Steigungstabelle auslesen!" and false.
bool ShowGradientTable(SheetModel &grid, const GradientTable &table, int mode, Prompter &prompter);

} // namespace torvel
