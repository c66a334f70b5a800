#pragma once
// The modem window's two time panels: the controller's clock as it reports it and the PC's.

#include <QDateTime>
#include <QString>

namespace torvel {

class CommandEngine;

// The controller's own values without conversion ("Donnerstag  31.12.26  23:59:58", an
// impossible month shown as sent); "nicht verfügbar" when no attempt brought a time.
QString ControllerClockPanelText(CommandEngine &engine, int oven);

// "Donnerstag  31.12.2026 23:59:58".
QString PcClockPanelText(const QDateTime &now = QDateTime::currentDateTime());

} // namespace torvel
