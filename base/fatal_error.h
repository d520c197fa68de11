// The end for internal contradictions that no input can cause.
#pragma once

#include <string>

// Writes the text to standard error, without a line end, and aborts.
[[noreturn]] void FatalError(const std::string& text);
