// Copy-make. The record of ply p is copied to ply p + 1 and every field of
// the copy is brought up to date incrementally: piece sets, the rotated
// occupancy sets, counters, material, castling rights, en-passant square,
// both hash keys, the half-move clock and the check flag of the side that
// is to move next.
//
// Speed notes: the fields that every move rewrites (occupancy sets, key,
// last move, side) are not copied at all; the changed fields are computed
// from the parent record rather than read back from the fresh copy (that
// would wait for the copy's stores); the hash key stays in a register until
// the end. The byte stores into `squares` come last because a byte store
// may alias any other memory and would make the compiler reload everything
// after it.
#include "position/make_move.h"

#include <cstddef>

#include "base/tables.h"
#include "position/attacks.h"

namespace {

// Material by piece type; a king is worth nothing here.
constexpr int kMaterialValue[8] = {0, kPawnValue, kKnightValue, kBishopValue, kRookValue, kQueenValue, 0, 0};

// The pawn keys of a side.
template <int S>
inline uint32_t PawnKey(Square s) {
  if constexpr (S == kWhite) return WhitePawnKeys[s]; else return BlackPawnKeys[s];
}

// The four occupancy sets lie side by side at the start of the record, in
// the order of OccupancyBits: two 16-byte lanes update all four at once
// (two and-not/or pairs instead of eight rotated-index look-ups and shifts).
typedef Bitboard OccupancyLane __attribute__((vector_size(16), may_alias));
static_assert(offsetof(TreePosition, occupied) == 0 && offsetof(TreePosition, occupied45) == 8 &&
              offsetof(TreePosition, occupied90) == 16 && offsetof(TreePosition, occupied315) == 24);

inline OccupancyLane* OccupancyLanes(TreePosition& p) { return reinterpret_cast<OccupancyLane*>(&p.occupied); }
inline const OccupancyLane* OccupancyLanes(const TreePosition& p) {
  return reinterpret_cast<const OccupancyLane*>(&p.occupied);
}
inline const OccupancyLane* OccupancyLanes(Square s) {
  return reinterpret_cast<const OccupancyLane*>(&SquareOccupancyBits[s]);
}

// p's occupancy = q's without the piece on `from`, with a piece on `to`
// (q may be p).
inline void MoveOccupancy(const TreePosition& q, TreePosition& p, Square from, Square to) {
  const OccupancyLane* in = OccupancyLanes(q);
  const OccupancyLane* leave = OccupancyLanes(from);
  const OccupancyLane* arrive = OccupancyLanes(to);
  OccupancyLane* out = OccupancyLanes(p);
  const OccupancyLane low = (in[0] & ~leave[0]) | arrive[0];
  const OccupancyLane high = (in[1] & ~leave[1]) | arrive[1];
  out[0] = low;
  out[1] = high;
}

inline void ClearOccupancy(TreePosition& p, Square s) {
  const OccupancyLane* leave = OccupancyLanes(s);
  OccupancyLane* out = OccupancyLanes(p);
  out[0] &= ~leave[0];
  out[1] &= ~leave[1];
}

// The set of a side's pieces of one kind (pawn to queen), found by the
// field's offset: one indexed access instead of a branch on the kind.
constexpr size_t kPieceSetOffset[8] = {0,
                                       offsetof(SidePieces, pawn),
                                       offsetof(SidePieces, knight),
                                       offsetof(SidePieces, bishop),
                                       offsetof(SidePieces, rook),
                                       offsetof(SidePieces, queen),
                                       0,
                                       0};
inline Bitboard& PieceSet(SidePieces& side, int type) {
  return *reinterpret_cast<Bitboard*>(reinterpret_cast<char*>(&side) + kPieceSetOffset[type]);
}
inline Bitboard PieceSet(const SidePieces& side, int type) {
  return *reinterpret_cast<const Bitboard*>(reinterpret_cast<const char*>(&side) + kPieceSetOffset[type]);
}

// All ones when a piece kind moves along ranks and files (diagonals), else 0.
inline Bitboard StraightMask(int type) { return -Bitboard(type == kRook || type == kQueen); }
inline Bitboard DiagonalMask(int type) { return -Bitboard(type == kBishop || type == kQueen); }

// Castling rights of side S after one of its rooks leaves, or is taken on,
// square s: the right that castles with the rook of that square goes, with
// its key.
template <int S>
inline int32_t RightsAfterRookLeaves(const TreePosition& q, int32_t rights, Square s, uint64_t& key) {
  if (s == q.castlingRook[S][0] && (rights & kCastleKingSide)) {
    key ^= CastlingKeys[S][0];
    return rights & ~kCastleKingSide;
  }
  if (s == q.castlingRook[S][1] && (rights & kCastleQueenSide)) {
    key ^= CastlingKeys[S][1];
    return rights & ~kCastleQueenSide;
  }
  return rights;
}

// King move of side S. All rights of the side go; a castling word also
// moves the rook. Returns the rook's from square when it castles, else -1.
// In Chess960 the king may stay where it is, land on the rook's square, or
// the rook on the king's, so castling sets the squares of both pieces anew
// from the record before the move rather than moving them one by one.
template <int S>
inline Square KingMove(const TreePosition& q, TreePosition& p, uint64_t& key, Move m, Square f, Square t) {
  constexpr int sign = S == kWhite ? 1 : -1;
  const SidePieces& before = Own<S>(q);
  SidePieces& own = Own<S>(p);
  own.kingSquare = t;
  if (before.castling == 0) return -1;
  key ^= CastlingRightsKey(S, before.castling);
  own.castling = 0;
  const int special = MoveSpecial(m);
  if (special == 0) return -1;
  const Square rookFrom = q.castlingRook[S][special - 1];
  const Square rookTo = special == 1 ? t - 1 : t + 1;  // f1 or d1
  const Bitboard rookLeaves = ~SquareMask[rookFrom], rookArrives = SquareMask[rookTo];
  own.rook = (before.rook & rookLeaves) | rookArrives;
  own.queen_and_rook = (before.queen_and_rook & rookLeaves) | rookArrives;
  own.friendly = (before.friendly & ~SquareMask[f] & rookLeaves) | SquareMask[t] | rookArrives;
  const OccupancyLane* in = OccupancyLanes(q);
  const OccupancyLane *kingLeaves = OccupancyLanes(f), *kingArrives = OccupancyLanes(t);
  const OccupancyLane *rookOff = OccupancyLanes(rookFrom), *rookOn = OccupancyLanes(rookTo);
  OccupancyLane* out = OccupancyLanes(p);
  for (int lane = 0; lane < 2; ++lane)
    out[lane] = (in[lane] & ~kingLeaves[lane] & ~rookOff[lane]) | kingArrives[lane] | rookOn[lane];
  key ^= PieceKey(rookFrom, sign * kRook) ^ PieceKey(rookTo, sign * kRook);
  return rookFrom;
}

// A promotion of side S: the pawn leaves the board and the new piece
// appears on t. Rare, so kept out of line: the common path of make-move
// then needs fewer registers.
template <int S>
[[gnu::noinline]] void Promote(const TreePosition& q, TreePosition& p, uint64_t& key, Square f, Square t, int promotion) {
  constexpr int sign = S == kWhite ? 1 : -1;
  const SidePieces& before = Own<S>(q);
  SidePieces& own = Own<S>(p);
  own.pawn = before.pawn & ~SquareMask[f];
  own.numPawns = before.numPawns - 1;
  key ^= PieceKey(t, sign * kPawn) ^ PieceKey(t, sign * promotion);
  p.pawnHashKey ^= PawnKey<S>(t);
  p.materialBalance = q.materialBalance + sign * (kMaterialValue[promotion] - kPawnValue);
  const Bitboard bit = SquareMask[t];
  switch (promotion) {
    case kKnight:
      own.knight = before.knight | bit;
      own.valMinors = before.valMinors + 3;
      p.pieceUnits = q.pieceUnits + 3;
      break;
    case kBishop:
      own.bishop = before.bishop | bit;
      own.queen_and_bishop = before.queen_and_bishop | bit;
      own.valMinors = before.valMinors + 3;
      p.pieceUnits = q.pieceUnits + 3;
      break;
    case kRook:
      own.rook = before.rook | bit;
      own.queen_and_rook = before.queen_and_rook | bit;
      own.valMajors = before.valMajors + 1;
      p.pieceUnits = q.pieceUnits + 5;
      break;
    default:  // queen
      own.queen = before.queen | bit;
      own.queen_and_rook = before.queen_and_rook | bit;
      own.queen_and_bishop = before.queen_and_bishop | bit;
      own.valMajors = before.valMajors + 2;
      p.pieceUnits = q.pieceUnits + 9;
      break;
  }
}

// Pawn move of side S: plain push or capture, en passant, or promotion.
// Returns the piece code that ends up on t; sets `victim` to the square of
// the pawn taken en passant (that capture is complete here).
template <int S>
inline int PawnMove(const TreePosition& q, TreePosition& p, uint64_t& key, Move m, Square f, Square t, Square& victim) {
  constexpr int E = 1 - S;
  constexpr int sign = S == kWhite ? 1 : -1;
  constexpr int up = S == kWhite ? 8 : -8;
  const SidePieces& before = Own<S>(q);
  SidePieces& own = Own<S>(p);
  const Bitboard fromTo = SquareMask[f] | SquareMask[t];
  key ^= PieceKey(f, sign * kPawn) ^ PieceKey(t, sign * kPawn);
  p.pawnHashKey = q.pawnHashKey ^ PawnKey<S>(f) ^ PawnKey<S>(t);
  p.halfMoveClock = 0;

  if (MoveCaptured(m) == kPawn && q.squares[t] == 0) {
    // En passant: the enemy pawn stands behind the target square.
    victim = t - up;
    const SidePieces& enemyBefore = Enemy<S>(q);
    SidePieces& enemy = Enemy<S>(p);
    own.pawn = before.pawn ^ fromTo;
    ClearOccupancy(p, victim);
    enemy.pawn = enemyBefore.pawn & ~SquareMask[victim];
    enemy.friendly = enemyBefore.friendly & ~SquareMask[victim];
    enemy.numPawns = enemyBefore.numPawns - 1;
    p.materialBalance = q.materialBalance + sign * kPawnValue;
    key ^= PieceKey(victim, -sign * kPawn);
    p.pawnHashKey ^= PawnKey<E>(victim);
    return sign * kPawn;
  }

  const int promotion = MoveSpecial(m);
  if (promotion != 0) {
    Promote<S>(q, p, key, f, t, promotion);
    return sign * promotion;
  }

  own.pawn = before.pawn ^ fromTo;
  // A double step leaves an en-passant square only when an enemy pawn
  // stands ready to take.
  const Square passed = t - up;
  if (t - f == 2 * up && (EnPassantSources[passed] & Enemy<S>(q).pawn)) {
    p.epSquare = passed;
    key ^= EnPassantSources[passed];
  }
  return sign * kPawn;
}

// Removes the enemy piece of type `type` that side S captures on t. The
// material and piece units may already hold a promotion's change.
template <int S>
inline void Capture(const TreePosition& q, TreePosition& p, uint64_t& key, Square t, int type) {
  constexpr int E = 1 - S;
  constexpr int sign = S == kWhite ? 1 : -1;
  const SidePieces& before = Enemy<S>(q);
  SidePieces& enemy = Enemy<S>(p);
  const Bitboard keep = ~SquareMask[t];
  enemy.friendly = before.friendly & keep;
  key ^= PieceKey(t, -sign * type);
  p.halfMoveClock = 0;
  p.materialBalance += sign * kMaterialValue[type];
  switch (type) {
    case kPawn:
      enemy.pawn = before.pawn & keep;
      enemy.numPawns = before.numPawns - 1;
      p.pawnHashKey ^= PawnKey<E>(t);
      break;
    case kKnight:
      enemy.knight = before.knight & keep;
      enemy.valMinors = before.valMinors - 3;
      p.pieceUnits -= 3;
      break;
    case kBishop:
      enemy.bishop = before.bishop & keep;
      enemy.queen_and_bishop = before.queen_and_bishop & keep;
      enemy.valMinors = before.valMinors - 3;
      p.pieceUnits -= 3;
      break;
    case kRook:
      enemy.rook = before.rook & keep;
      enemy.queen_and_rook = before.queen_and_rook & keep;
      enemy.valMajors = before.valMajors - 1;
      p.pieceUnits -= 5;
      if (before.castling != 0) enemy.castling = RightsAfterRookLeaves<E>(q, before.castling, t, key);
      break;
    case kQueen:
      enemy.queen = before.queen & keep;
      enemy.queen_and_rook = before.queen_and_rook & keep;
      enemy.queen_and_bishop = before.queen_and_bishop & keep;
      enemy.valMajors = before.valMajors - 2;
      p.pieceUnits -= 9;
      break;
    default:
      break;
  }
}

// Is the enemy king attacked after side S moved a piece that is now of type
// `type` from f to t (no castling, no en passant)? Before the move it was
// not (the enemy's own last move left it safe), and a move can only open
// attacks from the piece on t and along a line through the emptied f: one
// or two look-ups instead of the full attack test.
template <int S>
inline bool ChecksAfter(const TreePosition& p, Square f, Square t, int type) {
  const Square king = Enemy<S>(p).kingSquare;
  const Bitboard target = SquareMask[king];
  switch (type) {
    case kPawn:
      if ((S == kWhite ? WhitePawnAttacks[t] : BlackPawnAttacks[t]) & target) return true;
      break;
    case kKnight:
      if (KnightAttacks[t] & target) return true;
      break;
    case kKing:
      if (KingAttacks[t] & target) return true;
      break;
    default: {
      const int line = Direction[king][t];
      const bool movesAlong = type == kQueen || type == (line <= kSouth ? kRook : kBishop);
      if (line != kNoDirection && movesAlong && (LineAttacks(p, king, line) & SquareMask[t])) return true;
    }
  }
  const int uncovered = Direction[king][f];
  return uncovered != kNoDirection && (LineAttacks(p, king, uncovered) & LineSliders(Own<S>(p), uncovered));
}

// Writes the move m of side S from record q into record p, which is already
// a copy of q.
// Returns the second square that the move emptied (castling rook, pawn
// taken en passant), else -1.
template <int S>
inline Square UpdateCopy(const TreePosition* __restrict qp, TreePosition* __restrict pp, Move m) {
  constexpr int E = 1 - S;
  constexpr int sign = S == kWhite ? 1 : -1;
  const TreePosition& q = *qp;
  TreePosition& p = *pp;
  const SidePieces& before = Own<S>(q);
  SidePieces& own = Own<S>(p);
  const Square f = MoveFrom(m), t = MoveTo(m);
  const int piece = MovePiece(m), captured = MoveCaptured(m);
  const Bitboard fromTo = SquareMask[f] | SquareMask[t];

  // The mover leaves f and arrives on t (a captured piece leaves its square
  // occupied).
  MoveOccupancy(q, p, f, t);
  own.friendly = before.friendly ^ fromTo;
  uint64_t key = q.hashKey;

  // An en-passant chance lasts one ply.
  if (q.epSquare != 0) {
    key ^= EnPassantSources[q.epSquare];
    p.epSquare = 0;
  }
  p.lastMove = m;

  // By the moving piece; a piece move also counts the half-move clock up
  // (a capture sets it back to 0 below).
  Square vacated = -1;  // a second square left empty: castling rook, pawn taken en passant
  int arriving = sign * piece;  // the piece code that ends on t
  if (piece == kPawn) {
    arriving = PawnMove<S>(q, p, key, m, f, t, vacated);
  } else {
    p.halfMoveClock = q.halfMoveClock + 1;
    key ^= PieceKey(f, sign * piece) ^ PieceKey(t, sign * piece);
    if (piece == kKing) {
      vacated = KingMove<S>(q, p, key, m, f, t);
    } else {
      // Knight, bishop, rook or queen: the bit moves in the set of its kind
      // and in the slider sets of its lines, chosen by table rather than by
      // a branch on the kind.
      PieceSet(own, piece) = PieceSet(before, piece) ^ fromTo;
      own.queen_and_rook = before.queen_and_rook ^ (fromTo & StraightMask(piece));
      own.queen_and_bishop = before.queen_and_bishop ^ (fromTo & DiagonalMask(piece));
      if (piece == kRook && before.castling != 0) own.castling = RightsAfterRookLeaves<S>(q, before.castling, f, key);
    }
  }

  // The captured piece (en passant has been dealt with).
  if (captured != 0 && !(piece == kPawn && vacated >= 0)) Capture<S>(q, p, key, t, captured);

  // The side to move and the key (`occupied` is the union of both sides'
  // `friendly` sets, kept up to date with them above).
  p.side = E;
  p.hashKey = key ^ SideKey;
  // The board last: both squares left first, then those reached, since a
  // castling king or rook may arrive where the other stood.
  p.squares[f] = 0;
  if (vacated >= 0) p.squares[vacated] = 0;
  p.squares[t] = int8_t(arriving);
  if (piece == kKing && vacated >= 0) p.squares[MoveSpecial(m) == 1 ? t - 1 : t + 1] = int8_t(sign * kRook);
  return vacated;
}

}  // namespace

template <int S>
void MakeMove(PositionStack& stack, Move m) {
  // Copy the record forward.
  const int ply = stack.ply;
  TreePosition* p = &stack.positions[ply] + 1;
  const TreePosition* q = p - 1;
  CopyPosition<kRewrittenByEveryMove>(*p, *q);  // the rest is written below
  const Square vacated = UpdateCopy<S>(q, p, m);
  stack.ply = ply + 1;
  stack.keyHistory[stack.keyHistoryRoot + ply + 1] = p->hashKey;
  const int piece = MovePiece(m), promotion = piece == kPawn ? MoveSpecial(m) : 0;
  p->kingAttacked = vacated >= 0 ? IsAttackedBy<S>(*p, Enemy<S>(*q).kingSquare)
                                 : ChecksAfter<S>(*p, MoveFrom(m), MoveTo(m), promotion != 0 ? promotion : piece);
}

template void MakeMove<kWhite>(PositionStack&, Move);
template void MakeMove<kBlack>(PositionStack&, Move);
