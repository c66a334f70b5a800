#pragma once
// The user names ports "COM" + n on every platform. On Linux COMn is /dev/ttyS(n-1)
// unless the settings map it elsewhere; a device path may be given directly.

#include <QMap>
#include <QString>
#include <optional>

namespace torvel {

constexpr int kDefaultComNumber = 3;
constexpr int kMinComNumber = 1;
constexpr int kMaxComNumber = 99;

// "COM5", "com5" -> 5; anything else (or a number outside 1..99) -> nullopt.
std::optional<int> parseComName(const QString &text);
QString comName(int number);

// The device to open for a user-given port text. `mapping` holds entries such as
// "COM5" -> "/dev/ttyUSB0". Returns an empty string for an unusable text.
QString portDevice(const QString &portText, const QMap<QString, QString> &mapping);

// "SIM" (the simulated line) or "SIMMODEM" (simulated bakeries reached through a simulated
// modem), in any case.
bool isSimulatedPort(const QString &portText);
bool isSimulatedModemPort(const QString &portText);

} // namespace torvel
