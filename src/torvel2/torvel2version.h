#pragma once
// The software version of a second-generation controller as the record transfer needs it:
// one number to compare releases, the major version (3 for the first generation) and whether
// the controller holds 99 or 11 bake programs.

#include "torvel2address.h"

#include <QString>

namespace torvel {

struct SoftwareVersion;

// 4.00 r25 and later answer the gradient table read.
constexpr int kGradientFirstVersion = 0x40019;

struct Torvel2Version {
    // (V div 100) * 65536 + (V mod 100) * 256 + R; -1 when no valid answer came.
    int number = -1;
    int major = 0; // V div 100
    // `Torvel2Variant`: "9" (99 programs), "1" (11 programs), empty without a valid answer.
    QString variant;
    // "4.00 r25": V div 100, ".", V mod 100 as two digits, " r", R (0 without one).
    QString text;

    bool valid() const { return !variant.isEmpty(); }
};

// The fields of a decoded version answer. Without "M" behind the version fields the answer's
// leading 0x06 (bit 1 set) decides: 99 programs.
Torvel2Version torvel2VersionOf(const SoftwareVersion &version);

// Addresses the oven (no message), then up to three version queries (100 ms); the oven is
// addressed once more before the second and third and a query goes out only when that
// addressing was answered with 0x06 alone.
Torvel2Version ReadTorvel2Version(const Torvel2Line &line);

} // namespace torvel
