// Static exchange evaluation: the material result of the capture sequence on
// one square when both sides recapture with their least valuable piece and
// either side may stop capturing when continuing would lose.
#include "position/static_exchange.h"

#include "base/tables.h"
#include "position/attacks.h"
#include "position/tree_position.h"

namespace {

// Exchange value by signed piece code (index code + 6).
constexpr int kExchangeValue[13] = {-kKingValue, -kQueenValue, -kRookValue, -kBishopValue, -kKnightValue, -kPawnValue, 0,
                                    kPawnValue,  kKnightValue, kBishopValue, kRookValue,   kQueenValue,  kKingValue};

inline int ExchangeValue(int code) { return kExchangeValue[code + 6]; }

// Takes the least valuable attacker of side S out of `attackers`: pawn,
// knight, bishop, rook, queen, and the king only when it is the side's last
// attacker. Within a kind White uses its lowest square, Black its highest.
// Returns -1 when the side has no attacker left.
template <int S>
inline Square NextAttacker(const TreePosition& p, Bitboard attackers) {
  const SidePieces& side = Own<S>(p);
  const auto pick = [](Bitboard candidates) { return S == kWhite ? LowestBit(candidates) : HighestBit(candidates); };
  // A chain of tests reads each set only when the cheaper kinds are absent.
  if (const Bitboard pawns = attackers & side.pawn) return pick(pawns);
  if (const Bitboard knights = attackers & side.knight) return pick(knights);
  if (const Bitboard bishops = attackers & side.bishop) return pick(bishops);
  if (const Bitboard rooks = attackers & side.rook) return pick(rooks);
  if (const Bitboard queens = attackers & side.queen) return pick(queens);
  if (attackers & SquareMask[side.kingSquare]) return side.kingSquare;
  return -1;
}

// Adds the slider that stood behind `square` on the line to `target`.
inline Bitboard RevealedBehind(const TreePosition& p, Square target, Square square) {
  const int direction = Direction[target][square];
  return direction != kNoDirection ? XRayAttackers(p, square, direction) : 0;
}

}  // namespace

int StaticExchange(const TreePosition& p, Square from, Square target, int moverFlag) {

  // 1. Every attacker but the first capturer, and what stood behind it.
  Bitboard attackers = AttackersOf(p, target) & ~SquareMask[from];
  attackers |= RevealedBehind(p, target, from);

  // 2. g[k] is minus White's gain after the k-th capture; v is the value of
  //    the piece now standing on the target square.
  int gain[40];
  gain[0] = ExchangeValue(p.squares[target]);
  int onTarget = ExchangeValue(p.squares[from]);

  // 3.
  if (attackers == 0) return -gain[0];

  // 4. Both sides recapture in turn, least valuable attacker first.
  int side = 1 - moverFlag;
  int last = 0;
  for (;;) {
    const Square attacker = side == kWhite ? NextAttacker<kWhite>(p, attackers) : NextAttacker<kBlack>(p, attackers);
    if (attacker < 0) break;
    gain[last + 1] = gain[last] + onTarget;
    ++last;
    onTarget = ExchangeValue(p.squares[attacker]);
    attackers &= ~SquareMask[attacker];
    attackers |= RevealedBehind(p, target, attacker);
    side = 1 - side;
    if (attackers == 0) break;
  }

  // 5. Minimax backwards: capture k was made by the mover when k is even,
  //    and each side only continues when it does not lose by it. White
  //    keeps the smaller value of g, Black the larger.
  for (int k = last; k > 0; --k) {
    const int capturer = (k % 2 == 0) ? moverFlag : 1 - moverFlag;
    if (capturer == kWhite) {
      if (gain[k] < gain[k - 1]) gain[k - 1] = gain[k];
    } else {
      if (gain[k] > gain[k - 1]) gain[k - 1] = gain[k];
    }
  }

  // 6.
  return -gain[0];
}
