#include "portlist.h"

#include "portname.h"

#include <QRegularExpression>
#include <QSerialPortInfo>

#include <algorithm>

namespace torvel {

namespace {

const QString kSim = QStringLiteral("SIM");
const QString kSimModem = QStringLiteral("SIMMODEM");

// Splits "/dev/ttyUSB10" into "/dev/ttyUSB" and 10, so paths sort as ttyUSB2 < ttyUSB10.
std::pair<QString, qint64> pathKey(const QString &path)
{
    qsizetype digits = path.size();
    while (digits > 0 && path.at(digits - 1).isDigit())
        --digits;
    const QString tail = path.mid(digits);
    bool ok = false;
    const qint64 number = tail.left(18).toLongLong(&ok);
    return {path.left(digits), ok ? number : -1};
}

bool listOrder(const QString &a, const QString &b)
{
    const auto comA = parseComName(a);
    const auto comB = parseComName(b);
    if (comA || comB)
        return comA && comB ? *comA < *comB : bool(comA);
    const bool simA = isSimulatedPort(a);
    const bool simB = isSimulatedPort(b);
    if (simA && simB)
        return a.size() < b.size(); // "SIM" before "SIMMODEM"
    if (simA || simB)
        return !simA && simB;
    const auto keyA = pathKey(a);
    const auto keyB = pathKey(b);
    if (keyA != keyB)
        return keyA < keyB;
    return a < b;
}

} // namespace

QString portDisplayName(const QString &device)
{
    if (const auto n = parseComName(device))
        return comName(*n);
    static const QRegularExpression ttyS(QStringLiteral("^/dev/ttyS(\\d{1,2})$"));
    const auto m = ttyS.match(device);
    if (m.hasMatch()) {
        const int n = m.captured(1).toInt() + 1;
        if (n >= kMinComNumber && n <= kMaxComNumber)
            return comName(n);
    }
    return device;
}

QStringList portListFrom(const QStringList &devices, const QMap<QString, QString> &mapping)
{
    QStringList names;
    for (auto it = mapping.cbegin(); it != mapping.cend(); ++it) {
        if (const auto n = parseComName(it.key()))
            names << comName(*n);
    }
    for (const QString &device : devices) {
        if (device.isEmpty() || std::find(mapping.cbegin(), mapping.cend(), device) != mapping.cend())
            continue; // listed under its mapped COM name
        const QString name = portDisplayName(device);
        names << (name != device && mapping.contains(name) ? device : name);
    }
    names << kSim << kSimModem;
    std::sort(names.begin(), names.end(), listOrder);
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

QStringList availablePortNames(const QMap<QString, QString> &mapping)
{
    QStringList devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        devices << info.portName();
#else
        devices << info.systemLocation();
#endif
    }
    return portListFrom(devices, mapping);
}

} // namespace torvel
