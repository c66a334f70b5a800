#include "bytes.h"

#include <algorithm>

namespace torvel {

int ByteSum(const QByteArray &s, int from)
{
    int sum = 0;
    for (int i = std::max(from, 1) - 1; i < s.size(); ++i)
        sum += static_cast<quint8>(s.at(i));
    return sum;
}

int BcdToInt(quint8 b)
{
    return (b >> 4) * 10 + (b & 0x0F);
}

quint8 IntToBcd(int value)
{
    value = std::clamp(value, 0, 99);
    return static_cast<quint8>(((value / 10) << 4) | (value % 10));
}

namespace {
struct LetterPair {
    quint8 pc;
    quint8 lcd;
};
constexpr LetterPair kLetters[] = {{0xE4, 0xE1}, {0xDF, 0xE2}, {0xF6, 0xEF}, {0xFC, 0xF5}};

QByteArray translate(const QByteArray &in, bool toLcd)
{
    QByteArray out = in;
    for (char &c : out) {
        const auto b = static_cast<quint8>(c);
        for (const auto &p : kLetters) {
            if (b == (toLcd ? p.pc : p.lcd)) {
                c = static_cast<char>(toLcd ? p.lcd : p.pc);
                break;
            }
        }
    }
    return out;
}
} // namespace

QByteArray LcdToText(const QByteArray &lcd)
{
    return translate(lcd, false);
}

QByteArray TextToLcd(const QByteArray &text)
{
    return translate(text, true);
}

QByteArray stuffEnq(const QByteArray &frame, int *doubled)
{
    QByteArray out;
    out.reserve(frame.size() * 2);
    int d = 0;
    for (char c : frame) {
        out.append(c);
        if (c == kEnq) {
            out.append(c);
            ++d;
        }
    }
    if (doubled)
        *doubled = d;
    return out;
}

QByteArray functionFrame(quint8 code, quint8 p1, quint8 p2)
{
    QByteArray f;
    f.append(char(0x46)).append(char(code)).append(char(p1)).append(char(p2));
    f.append(char(ByteSum(f, 2) & 0xFF));
    return f;
}

QByteArray dataFrame(const QByteArray &data)
{
    QByteArray f = data;
    f.append(char(ByteSum(data, 1) & 0xFF));
    return f;
}

bool CheckReply(QByteArray &reply, bool destuff)
{
    const int len = static_cast<int>(reply.size());
    if (len < 2)
        return false;
    int n = len - 2;
    if (reply.at(len - 2) == kEnq)
        n = len - 3;
    quint16 sum = 0;
    for (int pos = 2; pos <= n; ++pos)
        sum = static_cast<quint16>(sum + static_cast<quint8>(reply.at(pos - 1)));
    const bool valid = reply.at(0) == kAck && static_cast<quint8>(reply.at(len - 2)) == (sum & 0xFF)
                       && reply.at(len - 1) == kAck;
    if (destuff) {
        // Drop every 0x05 whose preceding byte was kept: a doubled pair becomes one byte.
        QByteArray out;
        out.reserve(len);
        bool previousKept = true;
        out.append(reply.at(0));
        for (int i = 1; i < len; ++i) {
            const char c = reply.at(i);
            if (c == kEnq && previousKept) {
                previousKept = false;
                continue;
            }
            out.append(c);
            previousKept = true;
        }
        reply = out;
    }
    return valid;
}

} // namespace torvel
