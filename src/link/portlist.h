#pragma once
// The ports the port window offers, named the way the user knows them: "COMn" wherever a
// COM number reaches the device, the device path otherwise, "SIM" for the simulated line and
// "SIMMODEM" for simulated bakeries behind a simulated modem.

#include <QMap>
#include <QString>
#include <QStringList>

namespace torvel {

// "/dev/ttyS4" -> "COM5" (ttyS0..ttyS98), "com7" -> "COM7", anything else unchanged.
QString portDisplayName(const QString &device);

// The list from device names as the system reports them (paths on Linux, "COMn" on Windows)
// and the settings' COM mapping (e.g. "COM5" -> "/dev/ttyUSB0"). A mapped device shows as its
// COM name, and a ttyS device whose COM name is mapped elsewhere keeps its path, because
// that COM name no longer reaches it. Sorted: COM names by number, device paths, "SIM",
// "SIMMODEM".
QStringList portListFrom(const QStringList &devices, const QMap<QString, QString> &mapping);

// The ports on this machine, plus the mapped ones and the simulated ones.
QStringList availablePortNames(const QMap<QString, QString> &mapping);

} // namespace torvel
