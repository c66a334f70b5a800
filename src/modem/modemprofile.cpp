#include "modemprofile.h"

namespace torvel {

namespace {
QStringList sRegisters(const QString &s00)
{
    return {s00,       "S01=000", "S02=043", "S03=013", "S04=010", "S05=008", "S06=004", "S07=060",
            "S08=002", "S09=006", "S10=014", "S11=072", "S12=050", "S13=128", "S15=000", "S16=000",
            "S18=000", "S19=000", "S21=010", "S22=017", "S23=019", "S25=005", "S27=001", "S28=008",
            "S29=020", "S30=000", "S31=128", "S32=002", "S33=000", "S34=000", "S35=000", "S36=014",
            "S38=000", "S39=012", "S40=000", "S41=004", "S42=010"};
}

QStringList ampersand(const QString &dtr)
{
    return {"&A0", "&B1", "&C1", dtr, "&H0", "&I0", "&K1", "&M4", "&N0", "&P0", "&R1", "&S0", "&U0", "&Y1"};
}
} // namespace

const ModemProfile &modemProfile(ModemKind kind)
{
    // The Torvel modem answers after two rings, the PC modem never.
    static const ModemProfile torvel{{"B0", "E0", "F1", "L2", "M0", "Q0", "V1", "X0", "Y0"},
                                     ampersand(QStringLiteral("&D0")),
                                     sRegisters(QStringLiteral("S00=002"))};
    static const ModemProfile pc{{"B0", "E1", "F1", "L0", "M1", "Q0", "V1", "X4", "Y0"},
                                 ampersand(QStringLiteral("&D2")),
                                 sRegisters(QStringLiteral("S00=000"))};
    return kind == ModemKind::Torvel ? torvel : pc;
}

QString speedLine(bool take38400)
{
    return QStringLiteral("SPEED=%1  PARITY=N  WORDLEN=8").arg(take38400 ? 38400 : 9600);
}

QString listingHeader(ModemListing listing)
{
    return listing == ModemListing::Current ? QStringLiteral("U.S. Robotics 56K FAX EXT Settings...")
                                            : QStringLiteral("U.S. Robotics 56K FAX EXT NVRAM Settings...");
}

QString currentDialLine()
{
    return QStringLiteral("DIAL=TONE    OFF LINE   CID=0");
}

} // namespace torvel
