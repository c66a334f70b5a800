#include "modemservice.h"

#include "modemport.h"
#include "modemtexts.h"

#include "link/bytes.h"
#include "link/commandengine.h"
#include "link/controller.h"
#include "shell/prompter.h"

namespace torvel {

QByteArray serviceCommandBytes(ServiceCommand command)
{
    switch (command) {
    case ServiceCommand::SetEsc:
        return QByteArrayLiteral("ATS2=5\r");
    case ServiceCommand::EscSequence:
        return QByteArrayLiteral("+++");
    case ServiceCommand::HangUpSequence:
        return QByteArrayLiteral("+++~~~ATH0\r");
    case ServiceCommand::EscEmbedded:
        return QByteArrayLiteral("123+++1234");
    case ServiceCommand::ToOnlineMode:
        return QByteArrayLiteral("ATO0\r");
    }
    return {};
}

QByteArray SendServiceBytes(const ModemPort &port, const QByteArray &bytes)
{
    return port.send(bytes, 1, 50);
}

QByteArray hexPairsToBytes(QString *text)
{
    if (text->size() % 2 != 0)
        text->append(QLatin1Char('0'));
    const auto digit = [](QChar c) -> int {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            return c.unicode() - '0';
        if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
            return c.unicode() - 'A' + 10;
        return -1;
    };
    QByteArray out;
    for (qsizetype i = 0; i + 1 < text->size(); i += 2) {
        const int high = digit(text->at(i));
        const int low = digit(text->at(i + 1));
        out.append(static_cast<char>(high < 0 || low < 0 ? 0xFF : high * 16 + low));
    }
    return out;
}

bool SendModemKonf(const ModemPort &port)
{
    return port.command(QByteArrayLiteral("ATM1Q0E1\r"));
}

void FactoryReset(const ModemPort &port, Prompter &prompter)
{
    if (prompter.ask(modemtext::kWarnung, modemtext::kFactoryResetQuestion,
                     {PromptButton::Yes, PromptButton::No, PromptButton::Cancel})
        != PromptButton::Yes)
        return;
    QByteArray answer;
    port.command(QByteArrayLiteral("ATZ3\r"), 100, &answer);
    if (!answer.contains("OK\r\n"))
        port.command(QByteArrayLiteral("ATZ3\r"), 100, &answer);
    prompter.inform(modemtext::kWarnung,
                    answer.contains("OK\r\n") ? modemtext::kCommandSent : modemtext::kNoReaction);
}

QString AddressOnceReport(CommandEngine &engine, int busAddress)
{
    const QByteArray reply = engine.SendCommand(addressFrame(busAddressByte(busAddress)), 1, false, 250,
                                                QStringLiteral("Steuerung adressieren"), ControllerFlags);
    if (reply.startsWith(kAck))
        return QStringLiteral("ACK");
    if (reply.startsWith(kNak))
        return QStringLiteral("NAK");
    return QString::fromLatin1(reply);
}

} // namespace torvel
