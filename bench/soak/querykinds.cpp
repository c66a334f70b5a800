// The software version and status queries, on any of the seven ovens.

#include "soakkinds.h"
#include "soakrig.h"

#include "link/controller.h"
#include "link/memolog.h"
#include "torvel2/torvel2status.h"
#include "simcontroller.h"

namespace torvel::soak {

namespace {
quint16 randomWord(SoakRig &rig)
{
    return static_cast<quint16>(rig.chance(0.3) ? rig.number(0, 6) : rig.number(0, 0xFFFF));
}

// "2.91 r3", "1.60".
QString versionTruth(const sim::SimVersion &v)
{
    QString text = QString::number(v.word / 100) + QLatin1Char('.') + QString::number(v.word % 100).rightJustified(2, QLatin1Char('0'));
    if (v.revision)
        text += QStringLiteral(" r") + QString::number(*v.revision);
    return text;
}

template <typename T>
void compareField(SoakRig &rig, int oven, const char *field, const std::optional<T> &shown, T truth)
{
    if (shown && *shown != truth)
        rig.wrong(QStringLiteral("oven %1 status %2 shows %3, the controller holds %4")
                      .arg(oven)
                      .arg(QLatin1String(field))
                      .arg(static_cast<int>(*shown))
                      .arg(static_cast<int>(truth)));
}
} // namespace

SoakOutcome soakVersionQuery(SoakRig &rig)
{
    const int oven = rig.number(1, sim::SimLine::kOvens);
    sim::SimVersion &version = rig.controller(oven).version();
    // Oven 7 stays what it is: the gradient table depends on its version.
    if (oven != kTorvel2Oven && rig.chance(0.6)) {
        version.word = static_cast<quint16>(rig.number(0, 399));
        version.revision = rig.chance(0.7) ? std::optional<quint8>(quint8(rig.number(0, 255))) : std::nullopt;
        version.capability = rig.chance(0.7) ? std::optional<quint8>(quint8(rig.number(0, 255))) : std::nullopt;
    }

    SoftwareVersion decoded;
    const QString text = ReadSoftwareVersion(rig.engine(), oven, &decoded);
    if (text == QLatin1String("NA"))
        return SoakOutcome::Failed;
    const QString truth = versionTruth(version);
    if (text != truth)
        rig.wrong(QStringLiteral("oven %1 version \"%2\", the controller is \"%3\"").arg(oven).arg(text, truth));
    if (decoded.capability != version.capability)
        rig.wrong(QStringLiteral("oven %1 capability %2, the controller has %3")
                      .arg(oven)
                      .arg(decoded.capability ? QString::number(*decoded.capability) : QStringLiteral("none"),
                           version.capability ? QString::number(*version.capability) : QStringLiteral("none")));
    return SoakOutcome::Done;
}

namespace {
// New live values in the controller, as a running oven changes them.
sim::SimStatus &randomStatus(SoakRig &rig, int oven)
{
    sim::SimStatus &status = rig.controller(oven).status();
    status.onStatus = static_cast<quint8>(rig.number(0, 255));
    status.programNumber = static_cast<quint8>(rig.number(0, 99));
    status.bakeTime = randomWord(rig);
    status.topHeatActual = randomWord(rig);
    status.bottomHeatActual = randomWord(rig);
    status.topHeatSet = randomWord(rig);
    status.bottomHeatSet = randomWord(rig);
    status.topHeatOn = rig.chance(0.5);
    status.bottomHeatOn = rig.chance(0.5);
    status.programStarted = rig.chance(0.5);
    return status;
}

SoakOutcome checkStatus(SoakRig &rig, int oven, const std::optional<ControllerStatus> &shown,
                        const sim::SimStatus &status)
{
    if (!shown)
        return SoakOutcome::Failed;
    compareField(rig, oven, "on-status", shown->onStatus, int(status.onStatus));
    if (shown->programNumber != -1)
        compareField(rig, oven, "program number", std::optional<int>(shown->programNumber), int(status.programNumber));
    compareField(rig, oven, "bake time", shown->bakeTime, int(status.bakeTime));
    compareField(rig, oven, "top heat actual", shown->topHeatActual, int(status.topHeatActual));
    compareField(rig, oven, "bottom heat actual", shown->bottomHeatActual, int(status.bottomHeatActual));
    compareField(rig, oven, "top heat set", shown->topHeatSet, int(status.topHeatSet));
    compareField(rig, oven, "bottom heat set", shown->bottomHeatSet, int(status.bottomHeatSet));
    compareField(rig, oven, "top heat on", shown->topHeatOn, status.topHeatOn);
    compareField(rig, oven, "bottom heat on", shown->bottomHeatOn, status.bottomHeatOn);
    compareField(rig, oven, "program started", shown->programStarted, status.programStarted);
    return SoakOutcome::Done;
}
} // namespace

SoakOutcome soakStatusQuery(SoakRig &rig)
{
    const int oven = rig.number(1, sim::SimLine::kOvens);
    const sim::SimStatus &status = randomStatus(rig, oven);
    return checkStatus(rig, oven, QueryStatus(rig.engine(), 10 * oven, nullptr), status);
}

SoakOutcome soakTorvel2StatusQuery(SoakRig &rig)
{
    const sim::SimStatus &status = randomStatus(rig, kTorvel2Oven);
    MemoLog memo;
    return checkStatus(rig, kTorvel2Oven, QueryTorvel2Status(rig.torvel2Line(), false, memo), status);
}

} // namespace torvel::soak
