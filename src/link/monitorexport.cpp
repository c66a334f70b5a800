#include "monitorexport.h"

#include "monitorlog.h"

#include <QSaveFile>

#include <algorithm>

namespace torvel {

QByteArray monitorAsTsv(const MonitorLog &log)
{
    const LineLog &k = log.list(MonitorList::Kommandos);
    const LineLog &s = log.list(MonitorList::SentCommands);
    const LineLog &g = log.list(MonitorList::Got);
    QByteArray out = "Kommandos\tGesendete Befehle\tEmpfangene Antwort\n";
    const int rows = std::max({k.count(), s.count(), g.count()});
    const auto cell = [](const LineLog &list, int row) { return row < list.count() ? list.at(row) : QString(); };
    for (int row = 0; row < rows; ++row)
        out += (cell(k, row) + QLatin1Char('\t') + cell(s, row) + QLatin1Char('\t') + cell(g, row)).toUtf8() + '\n';
    return out;
}

bool saveMonitorTsv(const MonitorLog &log, const QString &fileName, QString *error)
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(monitorAsTsv(log));
        if (file.commit())
            return true;
    }
    if (error)
        *error = QStringLiteral("Datei kann nicht geschrieben werden: %1 (%2)").arg(fileName, file.errorString());
    return false;
}

} // namespace torvel
