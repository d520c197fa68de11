// Reading move text, the legality test and the game make-move.
#include "board/moves.h"

#include "base/tables.h"

namespace {

// +1 for White's pieces, -1 for Black's: code * sign is positive for the
// pieces of `side`.
constexpr int SignOf(int side) { return side == kWhite ? 1 : -1; }

constexpr int Abs(int v) { return v < 0 ? -v : v; }

// Upper-case for ASCII letters only; other bytes (also non-ASCII ones) stay.
constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

bool OnFirstOrLastRank(Square s) { return RankOf(s) == 0 || RankOf(s) == 7; }

// The castling words by side: [side][0] king's side, [side][1] queen's side.
constexpr Move kCastlingWords[2][2] = {{kWhiteCastleShort, kWhiteCastleLong}, {kBlackCastleShort, kBlackCastleLong}};

// Castling: flags, king and rook at home, the squares between empty and the
// king's start, crossing and target squares not attacked.
bool IsLegalCastling(const GamePosition& p, Move m) {
  const int side = p.sideToMove;
  const int sign = SignOf(side);
  const bool kingSide = m == kCastlingWords[side][0];
  if (!kingSide && m != kCastlingWords[side][1]) return false;
  const int flags = side == kWhite ? p.whiteCastling : p.blackCastling;
  if (!(flags & (kingSide ? kCastleKingSide : kCastleQueenSide))) return false;

  const Square king = MoveFrom(m);  // e1 or e8
  const Square rook = kingSide ? king + 3 : king - 4;
  if (p.squares[king] != sign * kKing || p.squares[rook] != sign * kRook) return false;
  const int step = kingSide ? 1 : -1;
  for (Square s = king + step; s != rook; s += step)
    if (p.squares[s] != 0) return false;
  const int attacker = 1 - side;
  for (Square s = king; s != king + 3 * step; s += step)
    if (IsSquareAttacked(p.squares, s, attacker)) return false;
  return true;
}

// Can the piece on `from` (of type `type`, owned by the side to move) reach
// `to` by its own way of moving? Pawns also need the captured field.
bool HasPieceGeometry(const GamePosition& p, Move m, int type) {
  const Square from = MoveFrom(m), to = MoveTo(m);
  const Bitboard target = SquareMask[to];
  switch (type) {
    case kPawn: {
      const int side = p.sideToMove;
      const int forward = side == kWhite ? 8 : -8;
      const int startRank = side == kWhite ? 1 : 6;
      if (to == from + forward) return p.squares[to] == 0;
      if (to == from + 2 * forward)
        return RankOf(from) == startRank && p.squares[from + forward] == 0 && p.squares[to] == 0;
      const Bitboard captures = side == kWhite ? WhitePawnAttacks[from] : BlackPawnAttacks[from];
      if (!(captures & target)) return false;
      return (p.epSquare != 0 && to == p.epSquare) || MoveCaptured(m) != 0;
    }
    case kKnight:
      return KnightAttacks[from] & target;
    case kKing:
      return KingAttacks[from] & target;
    default: {
      const Occupancy occupancy = Occupancy::FromSquares(p.squares);
      if (type != kRook && (occupancy.Bishop(from) & target)) return true;
      return type != kBishop && (occupancy.Rook(from) & target);
    }
  }
}

// Rule 8: the move made on a copy must not leave the mover's king attacked.
bool KeepsKingSafe(const GamePosition& p, Move m, int type) {
  GamePosition after = p;
  const Square from = MoveFrom(m), to = MoveTo(m);
  after.squares[to] = after.squares[from];
  after.squares[from] = 0;
  if (type == kPawn && p.epSquare != 0 && to == p.epSquare)
    after.squares[to - (p.sideToMove == kWhite ? 8 : -8)] = 0;
  return !IsSquareAttacked(after.squares, after.FindOwnKing(), 1 - p.sideToMove);
}

}  // namespace

bool ReadSquareName(char file, char rank, Square& square) {
  const char letter = AsciiUpper(file);
  if (letter < 'A' || letter > 'H' || rank < '1' || rank > '8') return false;
  square = MakeSquare(letter - 'A', rank - '1');
  return true;
}

int PromotionOfLetter(char letter) {
  switch (AsciiUpper(letter)) {
    case 'B':
    case 'L':
      return kBishop;
    case 'N':
    case 'S':
      return kKnight;
    case 'R':
    case 'T':
      return kRook;
    default:
      return kQueen;
  }
}

Move BuildMoveWord(const GamePosition& p, Square from, Square to, int promotion) {
  const int piece = Abs(p.squares[from]);
  Move m = MakeMoveWord(from, to, piece, Abs(p.squares[to]));
  if (piece == kPawn) {
    if (!OnFirstOrLastRank(to)) {
      if (p.epSquare != 0 && to == p.epSquare) m = MakeMoveWord(from, to, kPawn, kPawn);
    } else {
      m |= Move(promotion) << 18;
    }
  }
  // The king's two-file move from its home square is castling. Only the
  // castling word with exactly these squares counts, so that text naming
  // the other side's king never turns into a castling of the side to move.
  if (piece == kKing && (p.sideToMove == kWhite || p.sideToMove == kBlack) && Abs(to - from) == 2) {
    const Move castling = kCastlingWords[p.sideToMove][to > from ? 0 : 1];
    if (MoveFrom(castling) == from && MoveTo(castling) == to) m = castling;
  }
  return m;
}

Move ParseMove(const GamePosition& p, const std::string& text) {
  const GameError invalid("Invalid move.");
  if (text.size() < 4) throw invalid;
  Square from = 0, to = 0;
  if (!ReadSquareName(text[0], text[1], from) || !ReadSquareName(text[2], text[3], to)) throw invalid;
  const int promotion = text.size() > 4 ? PromotionOfLetter(text[4]) : kQueen;
  const Move m = BuildMoveWord(p, from, to, promotion);
  if (!IsLegalMove(p, m)) throw invalid;
  return m;
}

// The rules in order; the first failure gives false. Beyond the game rules
// the word itself must be well formed (a move of the search or of the front
// end is played unchanged on the game board and in the search position):
// bits 21-31 clear, a special field only on castling words and pawn
// promotions, and on the en-passant square a captured type of 1 for a
// pawn's capture and 0 for any other piece, which finds that square empty.
bool IsLegalMove(const GamePosition& p, Move m) {
  // 1. The game must still run.
  if (p.result != kGameRunning) return false;
  if (p.sideToMove != kWhite && p.sideToMove != kBlack) return false;
  if (m >> 21) return false;

  // 2. From an own piece to a square without one.
  const int sign = SignOf(p.sideToMove);
  const Square from = MoveFrom(m), to = MoveTo(m);
  const int mover = p.squares[from] * sign;
  if (mover <= 0 || p.squares[to] * sign > 0) return false;

  // 3. The captured type is what stands on the target square.
  const int type = MovePiece(m), captured = MoveCaptured(m), special = MoveSpecial(m);
  if (p.epSquare != 0 && to == p.epSquare) {
    if (captured != (type == kPawn ? kPawn : 0)) return false;
  } else if (captured != Abs(p.squares[to])) {
    return false;
  }

  // 4. Field ranges, and the piece on the from-square is the moving type.
  if (type < kPawn || type > kKing || captured > kQueen || mover != type) return false;

  // 5. Pawns promote exactly on the last rank; others carry no special
  // field (castling words are checked below).
  if (type == kPawn) {
    const int lastRank = p.sideToMove == kWhite ? 7 : 0;
    if (special == 0 ? OnFirstOrLastRank(to) : (special < kKnight || special > kQueen || RankOf(to) != lastRank))
      return false;
  }

  // 6. A king's two-file move is castling and decided by its own test.
  if (type == kKing && Abs(to - from) == 2) return IsLegalCastling(p, m);
  if (type != kPawn && special != 0) return false;

  // 7. The piece's way of moving, 8. the own king's safety.
  return HasPieceGeometry(p, m, type) && KeepsKingSafe(p, m, type);
}

void ApplyMove(GamePosition& p, Move m) {
  const int side = p.sideToMove;
  const int sign = SignOf(side);
  const Square from = MoveFrom(m), to = MoveTo(m);
  const int type = Abs(p.squares[from]);
  const int capturedCode = p.squares[to];
  uint16_t& ownCastling = side == kWhite ? p.whiteCastling : p.blackCastling;
  uint16_t& enemyCastling = side == kWhite ? p.blackCastling : p.whiteCastling;
  const int homeRank = side == kWhite ? 0 : 56;
  const int enemyHomeRank = 56 - homeRank;
  bool captures = capturedCode != 0;

  // 1. Move the piece; the en-passant square lives for one move only.
  p.squares[to] = p.squares[from];
  p.squares[from] = 0;
  const Square ep = p.epSquare;
  p.epSquare = 0;

  // 2. A rook leaving its corner gives up castling on that side.
  if (type == kRook) {
    if (from == homeRank + 7) ownCastling &= ~kCastleKingSide;
    if (from == homeRank) ownCastling &= ~kCastleQueenSide;
  }

  // 3. A king move gives up castling; the two-file move brings the rook.
  if (type == kKing) {
    ownCastling = 0;
    const Square rankStart = from & ~7;
    if (to - from == 2) {
      p.squares[from + 1] = p.squares[rankStart + 7];
      p.squares[rankStart + 7] = 0;
    } else if (from - to == 2) {
      p.squares[from - 1] = p.squares[rankStart];
      p.squares[rankStart] = 0;
    }
  }

  // 4. Pawns: en-passant capture, double step, promotion (first that fits).
  if (type == kPawn) {
    const int forward = side == kWhite ? 8 : -8;
    const int8_t enemyPawn = int8_t(-sign * kPawn);
    if (ep != 0 && to == ep) {
      p.squares[to - forward] = 0;
      captures = true;
    } else if (to - from == 2 * forward) {
      const bool besideLeft = FileOf(to) > 0 && p.squares[to - 1] == enemyPawn;
      const bool besideRight = FileOf(to) < 7 && p.squares[to + 1] == enemyPawn;
      if (besideLeft || besideRight) p.epSquare = uint16_t(from + forward);
    } else if (MoveSpecial(m) != 0) {
      p.squares[to] = int8_t(sign * MoveSpecial(m));
    }
  }

  // 5. Taking a rook on its corner ends the opponent's castling there.
  if (capturedCode == -sign * kRook) {
    if (to == enemyHomeRank + 7) enemyCastling &= ~kCastleKingSide;
    if (to == enemyHomeRank) enemyCastling &= ~kCastleQueenSide;
  }

  // 6. The fifty-move count, 7. the other side moves.
  p.halfMoveCounter = (captures || type == kPawn) ? 0 : int16_t(p.halfMoveCounter + 1);
  p.sideToMove = uint16_t(1 - side);
}
