#include "app/xboard_mode.h"

int protocolVersion = 1;
