#pragma once
// What a simulated Hayes modem (a U.S. Robotics 56K FAX EXT) keeps: its basic letter
// settings, its &-settings and S-registers, and the listings ATI4 and ATI5 print of them.

#include <QByteArray>

#include <array>
#include <map>

namespace torvel::sim {

struct SimModemSettings {
    static constexpr int kRegisters = 43; // S0 .. S42

    std::map<char, int> basic;     // 'B', 'E', 'F', 'L', 'M', 'Q', 'V', 'X', 'Y'
    std::map<char, int> ampersand; // 'A', 'B', 'C', ...
    std::array<int, kRegisters> s{};
    int dteRate = 9600; // the port speed: shown in the listings, stored with &W

    int value(char letter) const;
    int amp(char letter) const;

    // The modem as it leaves the factory.
    static SimModemSettings factory();
    // The letters and &-letters the modem knows.
    static bool knowsBasic(char letter);
    static bool knowsAmpersand(char letter);
};

// ATI4: the current settings, ending with the last dialled number.
QByteArray currentListing(const SimModemSettings &s, bool onLine, const QByteArray &lastDialed);
// ATI5: the first page (template Y0) up to its "Strike a key when ready . . ." prompt, and the second.
QByteArray nvramListingFirstPage(const SimModemSettings &profile0);
QByteArray nvramListingSecondPage(const SimModemSettings &profile1);

} // namespace torvel::sim
