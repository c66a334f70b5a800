#include "startupoptions.h"

#include "appstate.h"

namespace torvel {

void applyStartupOptions(const QStringList &parameters, AppState &state)
{
    for (const QString &parameter : parameters) {
        const QString upper = parameter.toUpper();
        if (upper == QLatin1String("HALVO"))
            state.serviceMode = true;
        if (upper == QLatin1String("MODEM"))
            state.modemStartup = true;
        if (upper == QLatin1String("ZIRBELAS")) {
            state.damperSecondsMode = true;
            state.minuteColumns = AppState::damperSecondsMinuteColumns();
        }
        if (upper.startsWith(QLatin1String("ADDTO"))) {
            QString rest = parameter.mid(5);
            rest.remove(QLatin1Char('='));
            rest.remove(QLatin1Char(':'));
            bool ok = false;
            const int ms = rest.toInt(&ok);
            state.addTimeout = ok ? ms : 0;
            state.addTimeoutGiven = true;
        }
    }
}

} // namespace torvel
