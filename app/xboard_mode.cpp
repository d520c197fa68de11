#include "app/xboard_mode.h"

bool xboardMode = false;
int protocolVersion = 1;
