#include "simnight.h"

#include "simcontroller.h"

#include <algorithm>

namespace torvel::sim {

SimNightStore::SimNightStore()
{
    m_record.fill(0xFF);
    for (int day = 1; day <= 5; ++day)
        setStart(day, 1, 0x03, 0x30);
    setStart(6, 1, 0x04, 0x15);
    setStart(6, 2, 0x22, 0x00);
}

void SimNightStore::setStart(int day, int start, quint8 hour, quint8 minute)
{
    if (day < 0 || day >= 7 || (start != 1 && start != 2))
        return;
    const int k = 4 * day + 2 * (start - 1);
    m_record[k] = hour;
    m_record[k + 1] = minute;
}

// The parameters (0x4E 0x4E to read, 0x6E 0x6E to write) carry no information, so neither
// is checked. A data frame with a bad checksum never gets here: the line refuses it.
void registerNightFunctions(SimController &c)
{
    c.registerFunction(kNightReadFunction,
                       [&c](quint8, quint8) { return SimReply::withData(QByteArray(reinterpret_cast<const char *>(c.nights().record().data()), kSimNightBytes)); });
    c.registerFunction(kNightWriteFunction, [&c](quint8, quint8) {
        return SimReply::expectData(kSimNightBytes, [&c](const QByteArray &data) {
            SimNightRecord record;
            record.fill(0xFF);
            std::copy_n(data.constBegin(), std::min<qsizetype>(data.size(), kSimNightBytes), record.begin());
            c.nights().setRecord(record);
            c.nights().noteWrite();
            return SimReply::ack();
        });
    });
}

} // namespace torvel::sim
