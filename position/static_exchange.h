// Static exchange evaluation.
#pragma once

#include "position/tree_position.h"

// Material result in `p`, from White's point of view, of the capture sequence that
// starts with the piece on `from` going to `target` and continues with both
// sides recapturing least valuable piece first (x-rays included). moverFlag
// is 0 when the first capture is White's, 1 when it is Black's.
int StaticExchange(const TreePosition& p, Square from, Square target, int moverFlag);

// The same exchange with side S making the first capture, from S's point
// of view.
template <int S>
int ExchangeForSide(const TreePosition& p, Square from, Square target);
