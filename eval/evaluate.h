// The static evaluation of the current ply's position.
#pragma once

// Bound on the positional part of the evaluation; set to 320 when the
// command loop starts.
extern int positionalMargin;

// Score of the current ply's position in centipawns from White's point of
// view. The window only steers the lazy exits; it never clips the result.
int EvaluatePosition(int alpha, int beta);
