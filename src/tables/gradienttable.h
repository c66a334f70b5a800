#pragma once
// The gradient table of a second-generation controller: per mode (Tag, Nacht), per deck 1..9,
// the heat-up rates of top heat, bottom heat and steam in 1/16 degC per minute, one byte each
// on the wire. A first value of 65535 marks a table that holds nothing (not read yet).

#include <QByteArray>
#include <QString>

#include <array>

namespace torvel {

enum GradientMode { GradientTag = 0, GradientNacht = 1 };
enum GradientValue { GradientOH = 0, GradientUH = 1, GradientSH = 2 };

constexpr int kGradientModes = 2;
constexpr int kGradientDecks = 9;
constexpr int kGradientValues = 3;
constexpr int kGradientModeBytes = kGradientDecks * kGradientValues; // 27
constexpr int kGradientNoTable = 65535;
// The largest value a byte on the wire can hold.
constexpr int kGradientMaxValue = 255;

struct GradientTable {
    // [mode][deck - 1][value]
    std::array<int, kGradientModes * kGradientModeBytes> values{};

    int value(int mode, int deck, int v) const { return values[index(mode, deck, v)]; }
    void setValue(int mode, int deck, int v, int x) { values[index(mode, deck, v)] = x; }

    // The marker: the first value (Tag, deck 1, OH) is 65535.
    bool isEmpty() const { return values[0] == kGradientNoTable; }
    void markEmpty() { values[0] = kGradientNoTable; }

    bool operator==(const GradientTable &other) const = default;

    static int index(int mode, int deck, int v) { return mode * kGradientModeBytes + (deck - 1) * kGradientValues + v; }
};

// A table holding the marker (what a window starts with).
GradientTable emptyGradientTable();
// All Tag values 40, all Nacht values 48.
GradientTable defaultGradientTable();
// Deck d, base b = 16 (Tag) or 32 (Nacht): OH = 16d + b, UH = 16d + 2b, SH = 16d + 3b.
GradientTable testGradientTable();

// The 27 bytes of one mode as the wire carries them (deck 1 OH, UH, SH, deck 2 ...), the low
// byte of each value.
QByteArray gradientModeBytes(const GradientTable &table, int mode);
// Takes 27 bytes into one mode.
void setGradientModeBytes(GradientTable &table, int mode, const QByteArray &bytes);

// "Tag", "Nacht".
QString gradientModeName(int mode);

} // namespace torvel
