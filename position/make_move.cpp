// Copy-make. The record of ply p is copied whole to ply p + 1 and every field
// of the copy is brought up to date incrementally: piece sets, the rotated
// occupancy sets, counters, material, castling rights, en-passant square,
// both hash keys, the half-move clock and the check flag of the side that
// is to move next.
#include "position/make_move.h"

#include "position/attacks.h"
#include "position/tables.h"

namespace {

// Clears square `from` and sets square `to` in the three rotated occupancy sets.
inline void MoveRotatedBits(TreePosition& p, Square from, Square to) {
  p.occupied45 = (p.occupied45 & ~SquareMask[Rotate45[from]]) | SquareMask[Rotate45[to]];
  p.occupied90 = (p.occupied90 & ~SquareMask[Rotate90[from]]) | SquareMask[Rotate90[to]];
  p.occupied315 = (p.occupied315 & ~SquareMask[Rotate315[from]]) | SquareMask[Rotate315[to]];
}

inline void ClearRotatedBits(TreePosition& p, Square s) {
  p.occupied45 &= ~SquareMask[Rotate45[s]];
  p.occupied90 &= ~SquareMask[Rotate90[s]];
  p.occupied315 &= ~SquareMask[Rotate315[s]];
}

// Material by piece type; a king is worth nothing here.
constexpr int kMaterialValue[8] = {0, kPawnValue, kKnightValue, kBishopValue, kRookValue, kQueenValue, 0, 0};

// The home corners of a side's rooks and the pawn keys of a side.
template <int S> constexpr Square kKingRookCorner = S == kWhite ? H1 : H8;
template <int S> constexpr Square kQueenRookCorner = S == kWhite ? A1 : A8;
template <int S>
inline uint32_t PawnKey(Square s) {
  if constexpr (S == kWhite) return WhitePawnKeys[s]; else return BlackPawnKeys[s];
}

// A rook of side S leaves (or is taken on) square s: the castling right of
// that corner goes, with its key, when the side still holds it.
template <int S>
inline void DropCornerRight(TreePosition& p, Square s) {
  SidePieces& side = Own<S>(p);
  if (s == kKingRookCorner<S> && (side.castling & kCastleKingSide)) {
    side.castling &= ~kCastleKingSide;
    p.hashKey ^= CastlingKeys[S][0];
  } else if (s == kQueenRookCorner<S> && (side.castling & kCastleQueenSide)) {
    side.castling &= ~kCastleQueenSide;
    p.hashKey ^= CastlingKeys[S][1];
  }
}

// Adds a promoted piece of side S on square t (its bit in `friendly` is
// already set by the pawn's move).
template <int S>
inline void AddPromotedPiece(TreePosition& p, Square t, int type) {
  constexpr int sign = S == kWhite ? 1 : -1;
  SidePieces& own = Own<S>(p);
  const Bitboard bit = SquareMask[t];
  switch (type) {
    case kKnight:
      own.knight |= bit;
      own.valMinors += 3;
      p.pieceUnits += 3;
      break;
    case kBishop:
      own.bishop |= bit;
      own.queen_and_bishop |= bit;
      own.valMinors += 3;
      p.pieceUnits += 3;
      break;
    case kRook:
      own.rook |= bit;
      own.queen_and_rook |= bit;
      own.valMajors += 1;
      p.pieceUnits += 5;
      break;
    default:  // queen
      own.queen |= bit;
      own.queen_and_rook |= bit;
      own.queen_and_bishop |= bit;
      own.valMajors += 2;
      p.pieceUnits += 9;
      break;
  }
  p.squares[t] = int8_t(sign * type);
  p.materialBalance += sign * kMaterialValue[type];
  p.hashKey ^= PieceKey(t, sign * type);
}

// Removes the enemy piece of type `type` that side S captures on t.
template <int S>
inline void RemoveCapturedPiece(TreePosition& p, Square t, int type) {
  constexpr int E = 1 - S;
  constexpr int sign = S == kWhite ? 1 : -1;
  SidePieces& enemy = Enemy<S>(p);
  const Bitboard keep = ~SquareMask[t];
  enemy.friendly &= keep;
  switch (type) {
    case kPawn:
      enemy.pawn &= keep;
      enemy.numPawns -= 1;
      p.pawnHashKey ^= PawnKey<E>(t);
      break;
    case kKnight:
      enemy.knight &= keep;
      enemy.valMinors -= 3;
      p.pieceUnits -= 3;
      break;
    case kBishop:
      enemy.bishop &= keep;
      enemy.queen_and_bishop &= keep;
      enemy.valMinors -= 3;
      p.pieceUnits -= 3;
      break;
    case kRook:
      enemy.rook &= keep;
      enemy.queen_and_rook &= keep;
      enemy.valMajors -= 1;
      p.pieceUnits -= 5;
      if (enemy.castling != 0) DropCornerRight<E>(p, t);
      break;
    case kQueen:
      enemy.queen &= keep;
      enemy.queen_and_rook &= keep;
      enemy.queen_and_bishop &= keep;
      enemy.valMajors -= 2;
      p.pieceUnits -= 9;
      break;
    default:
      break;
  }
  p.materialBalance += sign * kMaterialValue[type];
  p.hashKey ^= PieceKey(t, -sign * type);
}

}  // namespace

template <int S>
void MakeMove(Move m) {
  constexpr int E = 1 - S;
  constexpr int sign = S == kWhite ? 1 : -1;
  constexpr int up = S == kWhite ? 8 : -8;

  // 1. Copy the record forward.
  const TreePosition& parent = TreePositions[currentPly];
  TreePosition& p = TreePositions[++currentPly];
  p = parent;

  SidePieces& own = Own<S>(p);
  const Square f = MoveFrom(m), t = MoveTo(m);
  const int captured = MoveCaptured(m);
  const Bitboard fromTo = SquareMask[f] | SquareMask[t];

  // 2. The mover leaves f and arrives on t.
  MoveRotatedBits(p, f, t);
  own.friendly = (own.friendly & ~SquareMask[f]) | SquareMask[t];
  p.squares[f] = 0;

  // 3. An en-passant chance lasts one ply.
  if (p.epSquare != 0) {
    p.hashKey ^= EnPassantSources[p.epSquare];
    p.epSquare = 0;
  }
  // 4.
  p.lastMove = m;

  // 5. By the moving piece.
  bool enPassant = false;
  switch (MovePiece(m)) {
    case kKing:
      p.squares[t] = int8_t(sign * kKing);
      own.kingSquare = t;
      if (own.castling != 0) {
        p.hashKey ^= CastlingRightsKey(S, own.castling);
        own.castling = 0;
        Square rookFrom = -1, rookTo = -1;
        if (m == (S == kWhite ? kWhiteCastleShort : kBlackCastleShort)) {
          rookFrom = kKingRookCorner<S>;
          rookTo = rookFrom - 2;
        } else if (m == (S == kWhite ? kWhiteCastleLong : kBlackCastleLong)) {
          rookFrom = kQueenRookCorner<S>;
          rookTo = rookFrom + 3;
        }
        if (rookFrom >= 0) {
          const Bitboard rookMove = SquareMask[rookFrom] | SquareMask[rookTo];
          own.rook ^= rookMove;
          own.queen_and_rook ^= rookMove;
          own.friendly ^= rookMove;
          MoveRotatedBits(p, rookFrom, rookTo);
          p.squares[rookFrom] = 0;
          p.squares[rookTo] = int8_t(sign * kRook);
          p.hashKey ^= PieceKey(rookFrom, sign * kRook) ^ PieceKey(rookTo, sign * kRook);
        }
      }
      p.hashKey ^= PieceKey(f, sign * kKing) ^ PieceKey(t, sign * kKing);
      break;
    case kQueen:
      p.squares[t] = int8_t(sign * kQueen);
      own.queen ^= fromTo;
      own.queen_and_rook ^= fromTo;
      own.queen_and_bishop ^= fromTo;
      p.hashKey ^= PieceKey(f, sign * kQueen) ^ PieceKey(t, sign * kQueen);
      break;
    case kRook:
      p.squares[t] = int8_t(sign * kRook);
      own.rook ^= fromTo;
      own.queen_and_rook ^= fromTo;
      if (own.castling != 0) DropCornerRight<S>(p, f);
      p.hashKey ^= PieceKey(f, sign * kRook) ^ PieceKey(t, sign * kRook);
      break;
    case kBishop:
      p.squares[t] = int8_t(sign * kBishop);
      own.bishop ^= fromTo;
      own.queen_and_bishop ^= fromTo;
      p.hashKey ^= PieceKey(f, sign * kBishop) ^ PieceKey(t, sign * kBishop);
      break;
    case kKnight:
      p.squares[t] = int8_t(sign * kKnight);
      own.knight ^= fromTo;
      p.hashKey ^= PieceKey(f, sign * kKnight) ^ PieceKey(t, sign * kKnight);
      break;
    default: {  // pawn
      p.hashKey ^= PieceKey(f, sign * kPawn) ^ PieceKey(t, sign * kPawn);
      p.pawnHashKey ^= PawnKey<S>(f) ^ PawnKey<S>(t);
      own.pawn &= ~SquareMask[f];
      const int promotion = MoveSpecial(m);
      if (captured == kPawn && parent.squares[t] == 0) {
        // En passant: the enemy pawn stands behind the target square.
        enPassant = true;
        const Square victim = t - up;
        SidePieces& enemy = Enemy<S>(p);
        p.squares[t] = int8_t(sign * kPawn);
        own.pawn |= SquareMask[t];
        p.squares[victim] = 0;
        ClearRotatedBits(p, victim);
        enemy.pawn &= ~SquareMask[victim];
        enemy.friendly &= ~SquareMask[victim];
        enemy.numPawns -= 1;
        p.materialBalance += sign * kPawnValue;
        p.hashKey ^= PieceKey(victim, -sign * kPawn);
        p.pawnHashKey ^= PawnKey<E>(victim);
        p.halfMoveClock = 0;
      } else if (promotion != 0) {
        own.numPawns -= 1;
        p.materialBalance -= sign * kPawnValue;
        p.hashKey ^= PieceKey(t, sign * kPawn);
        p.pawnHashKey ^= PawnKey<S>(t);
        AddPromotedPiece<S>(p, t, promotion);
      } else {
        own.pawn |= SquareMask[t];
        p.squares[t] = int8_t(sign * kPawn);
        const Square passed = t - up;
        if (t - f == 2 * up && (EnPassantSources[passed] & Enemy<S>(p).pawn)) {
          p.epSquare = passed;
          p.hashKey ^= EnPassantSources[passed];
        }
      }
      break;
    }
  }

  // 6. The captured piece, or the half-move clock of a quiet move.
  if (!enPassant) {
    if (captured != 0) {
      p.halfMoveClock = 0;
      RemoveCapturedPiece<S>(p, t, captured);
    } else if (MovePiece(m) == kPawn) {
      p.halfMoveClock = 0;
    } else {
      p.halfMoveClock += 1;
    }
  }

  // 7. Common end.
  p.occupied = p.white.friendly | p.black.friendly;
  p.side = E;
  p.hashKey ^= SideKey;
  KeyHistory[keyHistoryRoot + currentPly] = p.hashKey;
  p.kingAttacked = IsAttackedBy<S>(p, Enemy<S>(p).kingSquare);
}

template void MakeMove<kWhite>(Move);
template void MakeMove<kBlack>(Move);
