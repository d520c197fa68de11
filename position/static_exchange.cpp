// Static exchange evaluation: the material result of the capture sequence on
// one square when both sides recapture with their least valuable piece and
// either side may stop capturing when continuing would lose.
#include "position/static_exchange.h"

#include <algorithm>

#include "base/tables.h"
#include "position/attacks.h"
#include "position/tree_position.h"

namespace {

// Exchange value by signed piece code (index code + 6).
constexpr int kExchangeValue[13] = {-kKingValue, -kQueenValue, -kRookValue, -kBishopValue, -kKnightValue, -kPawnValue, 0,
                                    kPawnValue,  kKnightValue, kBishopValue, kRookValue,   kQueenValue,  kKingValue};

// What taking the piece of `code` is worth to side S: enemy pieces count
// positive, S's own negative, an empty square nothing.
template <int S>
inline int ValueFor(int code) {
  return S == kWhite ? -kExchangeValue[code + 6] : kExchangeValue[code + 6];
}

// Direction codes whose rays run to higher square numbers: east, north,
// north-west, north-east.
constexpr unsigned kRisingDirections = 1u << kEast | 1u << kNorth | 1u << kNorthWest | 1u << kNorthEast;

// One exchange on `target`, followed from the first mover's side S.
template <int S>
class Exchange {
 public:
  Exchange(const TreePosition& p, Square target)
      : p_(p),
        target_(target),
        straight_(p.white.queen_and_rook | p.black.queen_and_rook),
        diagonal_(p.white.queen_and_bishop | p.black.queen_and_bishop) {}

  // Every attacker but the first capturer on `from`, and what stood behind it.
  void Start(Square from) {
    attackers_ = (AttackersOf(p_, target_) & ~SquareMask[from]) | RevealedBehind(from);
  }
  bool AnyAttacker() const { return attackers_ != 0; }

  // Takes side C's least valuable attacker off the set: pawn, knight,
  // bishop, rook, queen, and the king only when it is the side's last
  // attacker; within a kind White uses its lowest square, Black its
  // highest. Returns the value of the piece, for side S (negative for S's
  // own), or 0 when side C has no attacker left.
  template <int C>
  int TakeAttacker() {
    const SidePieces& side = Own<C>(p_);
    const Bitboard mine = attackers_ & side.friendly;
    // Most exchanges end on a side with nothing left: one test settles it.
    if (mine == 0) return 0;
    const auto pick = [](Bitboard candidates) { return C == kWhite ? LowestBit(candidates) : HighestBit(candidates); };
    int value;
    Square square;
    if (const Bitboard pawns = mine & side.pawn) {
      square = pick(pawns), value = kPawnValue;
    } else if (const Bitboard knights = mine & side.knight) {
      square = pick(knights), value = kKnightValue;
    } else if (const Bitboard bishops = mine & side.bishop) {
      square = pick(bishops), value = kBishopValue;
    } else if (const Bitboard rooks = mine & side.rook) {
      square = pick(rooks), value = kRookValue;
    } else if (const Bitboard queens = mine & side.queen) {
      square = pick(queens), value = kQueenValue;
    } else {
      square = side.kingSquare, value = kKingValue;
    }
    attackers_ = (attackers_ & ~SquareMask[square]) | RevealedBehind(square);
    return C == S ? -value : value;
  }

 private:
  // The slider that stood behind `square` on the line from the target: the
  // first piece on the ray beyond it (on the board as it was), when that
  // piece slides along the line. Scanning the ray saves the line look-up.
  Bitboard RevealedBehind(Square square) const {
    const int direction = Direction[target_][square];
    if (direction == kNoDirection) return 0;
    const Bitboard ray = Rays[direction][square] & p_.occupied;
    if (ray == 0) return 0;
    const Bitboard first = (kRisingDirections >> direction) & 1 ? ray & (0 - ray) : SquareMask[HighestBit(ray)];
    return first & (direction <= kSouth ? straight_ : diagonal_);
  }

  const TreePosition& p_;
  const Square target_;
  const Bitboard straight_, diagonal_;
  Bitboard attackers_ = 0;
};

}  // namespace

template <int S>
int ExchangeForSide(const TreePosition& p, Square from, Square target) {
  constexpr int Them = 1 - S;
  Exchange<S> exchange(p, target);
  exchange.Start(from);

  // gain[k] is S's material gain once the k-th recapture is made; onTarget
  // is what taking the piece now on the target square is worth to S.
  int gain[40];
  gain[0] = ValueFor<S>(p.squares[target]);
  if (!exchange.AnyAttacker()) return gain[0];
  int onTarget = ValueFor<S>(p.squares[from]);

  // Both sides recapture in turn, least valuable attacker first.
  int last = 0;
  for (;;) {
    int value = exchange.template TakeAttacker<Them>();
    if (value == 0) break;
    gain[last + 1] = gain[last] + onTarget;
    ++last;
    onTarget = value;
    if (!exchange.AnyAttacker()) break;
    value = exchange.template TakeAttacker<S>();
    if (value == 0) break;
    gain[last + 1] = gain[last] + onTarget;
    ++last;
    onTarget = value;
    if (!exchange.AnyAttacker()) break;
  }

  // Minimax backwards: S made the k-th recapture when k is even and keeps
  // the larger result; the other side keeps the smaller. Each side only
  // goes on capturing when it does not lose by it.
  for (int k = last; k > 0; --k)
    gain[k - 1] = (k % 2 == 0) ? std::max(gain[k - 1], gain[k]) : std::min(gain[k - 1], gain[k]);
  return gain[0];
}

template int ExchangeForSide<kWhite>(const TreePosition&, Square, Square);
template int ExchangeForSide<kBlack>(const TreePosition&, Square, Square);

int StaticExchange(const TreePosition& p, Square from, Square target, int moverFlag) {
  return moverFlag == kWhite ? ExchangeForSide<kWhite>(p, from, target) : -ExchangeForSide<kBlack>(p, from, target);
}
