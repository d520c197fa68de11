#include "base/clock.h"

#include <chrono>

TimePoint Now() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
