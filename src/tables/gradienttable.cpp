#include "gradienttable.h"

namespace torvel {

GradientTable emptyGradientTable()
{
    GradientTable t;
    t.markEmpty();
    return t;
}

GradientTable defaultGradientTable()
{
    GradientTable t;
    for (int i = 0; i < kGradientModeBytes; ++i) {
        t.values[static_cast<std::size_t>(i)] = 40;
        t.values[static_cast<std::size_t>(kGradientModeBytes + i)] = 48;
    }
    return t;
}

GradientTable testGradientTable()
{
    GradientTable t;
    for (int mode = 0; mode < kGradientModes; ++mode) {
        const int base = mode == GradientTag ? 16 : 32;
        for (int deck = 1; deck <= kGradientDecks; ++deck)
            for (int v = 0; v < kGradientValues; ++v)
                t.setValue(mode, deck, v, 16 * deck + (v + 1) * base);
    }
    return t;
}

QByteArray gradientModeBytes(const GradientTable &table, int mode)
{
    QByteArray out;
    out.reserve(kGradientModeBytes);
    for (int i = 0; i < kGradientModeBytes; ++i)
        out.append(static_cast<char>(table.values[static_cast<std::size_t>(mode * kGradientModeBytes + i)] & 0xFF));
    return out;
}

void setGradientModeBytes(GradientTable &table, int mode, const QByteArray &bytes)
{
    for (int i = 0; i < kGradientModeBytes && i < bytes.size(); ++i)
        table.values[static_cast<std::size_t>(mode * kGradientModeBytes + i)] = static_cast<quint8>(bytes.at(i));
}

QString gradientModeName(int mode)
{
    return mode == GradientTag ? QStringLiteral("Tag") : QStringLiteral("Nacht");
}

} // namespace torvel
