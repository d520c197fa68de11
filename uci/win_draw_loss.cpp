#include "uci/win_draw_loss.h"

#include <algorithm>
#include <cmath>

#include "search/search_state.h"

namespace {

// The fitted model: with x the score and m the move number (at most 120)
// over 32, win = 1 / (1 + exp((a(m) - x) / b(m))), loss the same at -x,
// a and b cubics in m with these coefficients (constant term first).
// Fitted on the 359,972 scored moves of Ravok's games against itself
// (docs/wdl.md).
constexpr double kWinCentre[] = {60.5629, -14.2694, 32.3468, 6.2774};
constexpr double kWinSpread[] = {161.5119, -76.2694, 24.6997, 1.4439};
constexpr int kMoveCap = 120;

double Cubic(const double (&c)[4], double m) { return c[0] + m * (c[1] + m * (c[2] + m * c[3])); }

}  // namespace

WinDrawLoss WinDrawLossOf(int score, int moveNumber) {
  if (score > kMateThreshold) return {1000, 0, 0};
  if (score < -kMateThreshold) return {0, 0, 1000};
  const double m = std::clamp(moveNumber, 1, kMoveCap) / 32.0;
  const double centre = Cubic(kWinCentre, m);
  const double spread = std::max(Cubic(kWinSpread, m), 1.0);
  WinDrawLoss chances;
  chances.win = int(std::lround(1000 / (1 + std::exp((centre - score) / spread))));
  chances.loss = int(std::lround(1000 / (1 + std::exp((centre + score) / spread))));
  chances.draw = std::max(1000 - chances.win - chances.loss, 0);
  chances.win = 1000 - chances.draw - chances.loss;
  return chances;
}
