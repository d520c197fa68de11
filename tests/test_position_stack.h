// The search position that the position and evaluation tests work on.
#pragma once

#include "position/tree_position.h"

inline PositionStack& Stack() {
  static PositionStack stack;
  return stack;
}
