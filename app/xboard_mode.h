// The protocol-mode flags.
#pragma once

// True while Ravok talks the xboard protocol instead of its console
// dialogue.
extern bool xboardMode;

// The xboard protocol version the interface announced with "protover";
// 1 until then.
extern int protocolVersion;
