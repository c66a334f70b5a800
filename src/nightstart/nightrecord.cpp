#include "nightrecord.h"

#include "link/bytes.h"

namespace torvel {

namespace {
constexpr quint8 kReadCode = 0x17;
constexpr quint8 kReadParam = 0x4E;
} // namespace

NightStartRecord unsetNightRecord()
{
    NightStartRecord r;
    r.fill(kNightUnset);
    return r;
}

QByteArray nightRecordBytes(const NightStartRecord &record)
{
    return QByteArray(reinterpret_cast<const char *>(record.data()), kNightRecordBytes);
}

NightStartRecord nightRecordFrom(const QByteArray &bytes)
{
    NightStartRecord r = unsetNightRecord();
    for (int k = 0; k < kNightRecordBytes && k < bytes.size(); ++k)
        r[k] = static_cast<quint8>(bytes.at(k));
    return r;
}

quint8 nightBcd(int n)
{
    if (n < 0 || n >= kNightFirstUnencodable)
        return kNightUnset;
    return static_cast<quint8>((n / 10) * 16 + n % 10);
}

bool nightHourUnset(quint8 hour)
{
    return hour > kNightLastHourByte || (hour & 0x0F) > 9;
}

bool nightMinuteUnset(quint8 minute)
{
    return minute > kNightLastMinuteByte || (minute & 0x0F) > 9;
}

QByteArray nightReadFrame()
{
    QByteArray frame;
    frame.append(char(0x46)).append(char(kReadCode)).append(char(kReadParam)).append(char(kReadParam));
    frame.append(static_cast<char>(ByteSum(frame, 2) & 0xFF));
    return frame;
}

QByteArray nightAnnounceFrame()
{
    return QByteArray::fromHex("46186E6EF4");
}

QByteArray nightRecordFrame(const NightStartRecord &record)
{
    return dataFrame(nightRecordBytes(record));
}

} // namespace torvel
