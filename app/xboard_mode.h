// The protocol-mode flag: true while Ravok talks the xboard protocol instead
// of its console dialogue.
#pragma once

extern bool xboardMode;
