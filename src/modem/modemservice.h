#pragma once
// The modem window's service commands: raw bytes for the modem, the factory reset and the
// controller addressing of the status page.

#include <QByteArray>
#include <QString>

namespace torvel {

class CommandEngine;
class Prompter;
struct ModemPort;

enum class ServiceCommand {
    SetEsc,         // "ATS2=5\r": the escape character becomes 0x05
    EscSequence,    // "+++"
    HangUpSequence, // "+++~~~ATH0\r"
    EscEmbedded,    // "123+++1234" in one piece
    ToOnlineMode,   // "ATO0\r"
};

QByteArray serviceCommandBytes(ServiceCommand command);

// Sends bytes as a service command: reply length 1, text mode, 50 ms (raised by ModemSend).
QByteArray SendServiceBytes(const ModemPort &port, const QByteArray &bytes);

// The bytes of hexadecimal pairs ("010203"). An odd count of digits is first completed with
// a trailing "0" in `text`; a pair that is not upper-case hexadecimal gives 0xFF.
QByteArray hexPairsToBytes(QString *text);

// `SendeModemKonf`: "ATM1Q0E1".
bool SendModemKonf(const ModemPort &port);

// `Werkseinstellung0`: asks first, then "ATZ3" (once more without "OK") and tells the outcome.
void FactoryReset(const ModemPort &port, Prompter &prompter);

// `VKSAdressieren`: one addressing frame for 0x80 + busAddress, no retry. The memo line:
// "ACK", "NAK" or the reply itself.
QString AddressOnceReport(CommandEngine &engine, int busAddress);

} // namespace torvel
