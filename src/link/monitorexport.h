#pragma once
// The monitor's three lists as tab-separated text, one row per line.

#include <QString>

namespace torvel {

class MonitorLog;

QByteArray monitorAsTsv(const MonitorLog &log);
// Writes through a temporary file; false with a German message on failure.
bool saveMonitorTsv(const MonitorLog &log, const QString &fileName, QString *error);

} // namespace torvel
