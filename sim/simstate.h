#pragma once
// The data one simulated controller reports. Plain values: tests and the host set them directly.

#include <QByteArray>
#include <QtGlobal>

#include <optional>

namespace torvel::sim {

struct SimVersion {
    quint16 word = 0;                  // shown as word/100 "." word%100
    std::optional<quint8> revision;    // "r" and this byte; none on old controllers
    std::optional<quint8> capability;  // "M" and this byte (number of programs); none on old controllers
};

struct SimStatus {
    quint8 onStatus = 0;
    quint8 programNumber = 0; // high byte of the program word
    quint16 bakeTime = 0;
    quint16 topHeatActual = 0;
    quint16 bottomHeatActual = 0;
    quint16 topHeatSet = 0;
    quint16 bottomHeatSet = 0;
    bool topHeatOn = false;
    bool bottomHeatOn = false;
    bool programStarted = false;
};

// Data bytes of the version reply: V high, V low, ['r', R], ['M', capability].
QByteArray versionData(const SimVersion &v);

// The 22 data bytes of the status reply (25 bytes with ACKs and checksum).
QByteArray statusData(const SimStatus &s);

} // namespace torvel::sim
