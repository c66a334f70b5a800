#pragma once
// Writing the profile into a modem and storing it as profile 0.

#include "modemprofile.h"

namespace torvel {

struct ModemPort;

// "ATE0F1Q0" (a second time when refused), the basic, & and S-register tables, "ATQ1" for
// the Torvel modem, then "AT&W0". A failed step is logged as "InitError 01" to "InitError
// 04" and ends the sequence; "AT&W0" is sent only when every step went through, so a modem
// that refused part of the profile keeps the profile it has stored. True when stored.
bool InitialiseModem(const ModemPort &port, ModemKind kind);

} // namespace torvel
