#pragma once
// What every request of the second generation works with: the line, the oven it was started
// for (taken once, so choosing another oven meanwhile does not redirect a running transfer),
// and how it tells the user. Every request starts with AddressTorvel2Oven.

namespace torvel {

class CommandEngine;
class Prompter;

struct Torvel2Line {
    CommandEngine &engine;
    Prompter &prompter;
    int oven = 1; // 1..7
};

constexpr int kTorvel2AddressTries = 4;
constexpr int kTorvel2AddressTimeoutMs = 50;

// Up to four addressing frames (50 ms each); true at the first reply that is exactly 0x06.
// On failure and with showError: "Steuerung nicht adressierbar!!" (caption "ERROR").
bool AddressTorvel2Oven(const Torvel2Line &line, bool showError);

} // namespace torvel
