#include "base/fatal_error.h"

#include <cstdio>
#include <cstdlib>

void FatalError(const std::string& text) {
  std::fputs(text.c_str(), stderr);
  std::fflush(stderr);
  std::abort();
}
