#include "pty_host.h"
