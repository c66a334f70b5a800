#include "simmodemprofiles.h"

#include "simmodem.h"

namespace torvel::sim {

namespace {
void configureCommon(SimModem &modem, const char *basic, const char *dtr, const char *s0)
{
    modem.configure(QByteArray("AT") + basic);
    modem.configure(QByteArray("AT&A0&B1&C1") + dtr + "&H0&I0&K1&M4&N0&P0&R1&S0&U0&Y1");
    modem.configure(QByteArray("AT") + s0 + "S01=000S02=043S03=013S04=010S05=008S06=004");
    modem.configure("ATS07=060S08=002S09=006S10=014S11=072S12=050S13=128");
    modem.configure("ATS15=000S16=000S18=000S19=000S21=010S22=017S23=019");
    modem.configure("ATS25=005S27=001S28=008S29=020S30=000S31=128S32=002");
    modem.configure("ATS33=000S34=000S35=000S36=014S38=000S39=012S40=000");
    modem.configure("ATS41=004S42=010");
}
} // namespace

void configureTorvelModem(SimModem &modem)
{
    configureCommon(modem, "B0E0F1L2M0Q0V1X0Y0", "&D0", "S00=002");
    modem.configure("ATQ1");
    modem.configure("AT&W0");
}

void configurePcModem(SimModem &modem)
{
    configureCommon(modem, "B0E1F1L0M1Q0V1X4Y0", "&D2", "S00=000");
    modem.configure("AT&W0");
}

} // namespace torvel::sim
