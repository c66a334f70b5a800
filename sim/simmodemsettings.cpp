#include "simmodemsettings.h"

#include <QList>
#include <QString>

namespace torvel::sim {

namespace {
const char kBasicOrder[] = "BEFLMQVXY";
const char kAmpersandOrder[] = "ABCDGHIKMNPRSTUY";
// The registers the listings show.
const QList<int> kListedRegisters = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 15, 16, 18, 19, 21,
                                     22, 23, 25, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 38, 39, 40, 41, 42};
// The NVRAM listing leaves out the ring counter and two registers that are never stored.
const QList<int> kNvramHidden = {1, 16, 18};

QByteArray items(const QList<QByteArray> &list, int perLine, const QByteArray &indent)
{
    QByteArray out;
    for (int i = 0; i < list.size(); ++i) {
        out += (i % perLine == 0 ? indent : QByteArray("  ")) + list.at(i);
        if (i % perLine == perLine - 1 || i == list.size() - 1)
            out += "\r\n";
    }
    return out;
}

QList<QByteArray> ampersandItems(const SimModemSettings &s)
{
    QList<QByteArray> out;
    for (const char *c = kAmpersandOrder; *c; ++c)
        out << QByteArray("&") + *c + QByteArray::number(s.amp(*c));
    return out;
}

QList<QByteArray> registerItems(const SimModemSettings &s, bool nvram)
{
    QList<QByteArray> out;
    for (int r : kListedRegisters) {
        if (nvram && kNvramHidden.contains(r))
            continue;
        out << QString::asprintf("S%02d=%03d", r, s.s[static_cast<size_t>(r)]).toLatin1();
    }
    return out;
}

QByteArray speedLine(const SimModemSettings &s)
{
    return "SPEED=" + QByteArray::number(s.dteRate) + "  PARITY=N  WORDLEN=8\r\n";
}

QByteArray templatePage(const SimModemSettings &s, int number)
{
    QByteArray out = "   Template Y" + QByteArray::number(number) + "\r\n\r\n";
    QList<QByteArray> basic;
    for (const char *c = kBasicOrder; *c; ++c)
        if (*c != 'Y')
            basic << QByteArray(1, *c) + QByteArray::number(s.value(*c));
    out += "     DIAL=TONE   " + basic.join("  ") + "\r\n";
    out += "     " + speedLine(s) + "\r\n";
    out += items(ampersandItems(s), 8, "     ") + "\r\n";
    out += items(registerItems(s, true), 7, "     ");
    return out;
}
} // namespace

int SimModemSettings::value(char letter) const
{
    const auto it = basic.find(letter);
    return it == basic.end() ? 0 : it->second;
}

int SimModemSettings::amp(char letter) const
{
    const auto it = ampersand.find(letter);
    return it == ampersand.end() ? 0 : it->second;
}

bool SimModemSettings::knowsBasic(char letter)
{
    return QByteArray(kBasicOrder).contains(letter);
}

bool SimModemSettings::knowsAmpersand(char letter)
{
    return QByteArray(kAmpersandOrder).contains(letter);
}

SimModemSettings SimModemSettings::factory()
{
    SimModemSettings f;
    f.basic = {{'B', 0}, {'E', 1}, {'F', 1}, {'L', 2}, {'M', 1}, {'Q', 0}, {'V', 1}, {'X', 4}, {'Y', 0}};
    f.ampersand = {{'A', 1}, {'B', 0}, {'C', 1}, {'D', 2}, {'G', 0}, {'H', 0}, {'I', 0}, {'K', 1},
                   {'M', 4}, {'N', 0}, {'P', 0}, {'R', 1}, {'S', 0}, {'T', 5}, {'U', 0}, {'Y', 1}};
    const std::map<int, int> registers = {{2, 43},  {3, 13},  {4, 10},  {5, 8},   {6, 2},  {7, 60},
                                          {8, 2},   {9, 6},   {10, 7},  {11, 70}, {12, 50}, {21, 10},
                                          {22, 17}, {23, 19}, {25, 5},  {28, 8},  {29, 20}, {31, 128},
                                          {32, 2},  {36, 14}, {39, 12}};
    for (const auto &[r, v] : registers)
        f.s[static_cast<size_t>(r)] = v;
    return f;
}

QByteArray currentListing(const SimModemSettings &s, bool onLine, const QByteArray &lastDialed)
{
    QByteArray out = "\r\nU.S. Robotics 56K FAX EXT Settings...\r\n\r\n";
    QList<QByteArray> basic;
    for (const char *c = kBasicOrder; *c; ++c)
        basic << QByteArray(1, *c) + QByteArray::number(s.value(*c));
    out += "   " + basic.join("  ") + "\r\n";
    out += "   " + speedLine(s);
    out += QByteArray("   DIAL=TONE    ") + (onLine ? "ON LINE " : "OFF LINE") + "   CID=0\r\n\r\n";
    out += items(ampersandItems(s), 8, "   ") + "\r\n";
    out += items(registerItems(s, false), 7, "   ") + "\r\n";
    out += "   LAST DIALED #: " + lastDialed + "\r\n";
    return out;
}

QByteArray nvramListingFirstPage(const SimModemSettings &profile0)
{
    return "\r\nU.S. Robotics 56K FAX EXT NVRAM Settings...\r\n\r\n" + templatePage(profile0, 0)
           + "\r\nStrike a key when ready . . .\r\n";
}

QByteArray nvramListingSecondPage(const SimModemSettings &profile1)
{
    return "\r\n" + templatePage(profile1, 1);
}

} // namespace torvel::sim
