#pragma once
// The desktop program's command-line words: HALVO, MODEM, ZIRBELAS and ADDTO.

#include <QStringList>

namespace torvel {

class AppState;

// Applies every parameter in order. Words are compared in upper case; ADDTO takes the rest of
// the parameter with "=" and ":" removed as milliseconds (0 when it is no number).
void applyStartupOptions(const QStringList &parameters, AppState &state);

} // namespace torvel
