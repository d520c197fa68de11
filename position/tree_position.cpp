#include "position/tree_position.h"

TreePosition TreePositions[kMaxPly];
int currentPly = 0;
uint64_t KeyHistory[kKeyHistorySize];
int keyHistoryRoot = 0;
