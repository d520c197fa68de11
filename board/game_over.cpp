// Game-over detection on the game board and the texts of the reasons.
#include "board/game_over.h"

#include <algorithm>
#include <cstring>

#include "base/fatal_error.h"
#include "base/protocol_words.h"
#include "base/tables.h"
#include "board/moves.h"

namespace {

// Tries moves of the side to move on a scratch copy of the squares; every
// trial puts the squares back as they were.
class MoveTrial {
 public:
  explicit MoveTrial(const GamePosition& p)
      : side_(p.sideToMove), sign_(p.sideToMove == kWhite ? 1 : -1), king_(p.FindOwnKing()) {
    std::memcpy(squares_, p.squares, sizeof squares_);
    for (Square s = 0; s < 64; ++s)
      if (squares_[s] * sign_ > 0) own_ |= SquareMask[s];
  }

  // May the piece on `from` go to `to` (removing `victim` too, for an
  // en-passant capture) without leaving its own king attacked?
  bool IsLegal(Square from, Square to, Square victim = -1) {
    const int8_t moved = squares_[from], taken = squares_[to];
    const int8_t victimCode = victim >= 0 ? squares_[victim] : 0;
    squares_[to] = moved;
    squares_[from] = 0;
    if (victim >= 0) squares_[victim] = 0;
    const Square king = moved * sign_ == kKing ? to : king_;
    const bool safe = !IsSquareAttacked(squares_, king, 1 - side_);
    squares_[from] = moved;
    squares_[to] = taken;
    if (victim >= 0) squares_[victim] = victimCode;
    return safe;
  }

  // Is any target in `targets` (empty or enemy squares only) a legal move?
  bool AnyLegal(Square from, Bitboard targets) {
    targets &= ~own_;
    while (targets) {
      if (IsLegal(from, PopLowest(targets))) return true;
    }
    return false;
  }

  Square king() const { return king_; }

 private:
  int side_, sign_;
  Square king_;
  Bitboard own_ = 0;  // the squares of the side to move's pieces
  int8_t squares_[64];
};

// The pawn moves of the pawn on `from`: single and double steps onto empty
// squares, diagonal captures of enemy pieces.
bool PawnHasLegalMove(const GamePosition& p, MoveTrial& trial, Square from) {
  const bool white = p.sideToMove == kWhite;
  const int forward = white ? 8 : -8;
  const Square one = from + forward;
  if (one >= 0 && one < 64 && p.squares[one] == 0) {
    if (trial.IsLegal(from, one)) return true;
    const Square two = one + forward;
    if (RankOf(from) == (white ? 1 : 6) && p.squares[two] == 0 && trial.IsLegal(from, two)) return true;
  }
  Bitboard captures = white ? WhitePawnAttacks[from] : BlackPawnAttacks[from];
  while (captures) {
    const Square to = PopLowest(captures);
    if (p.squares[to] * (white ? -1 : 1) > 0 && trial.IsLegal(from, to)) return true;
  }
  return false;
}

// The en-passant captures onto the position's en-passant square.
bool EnPassantIsLegal(const GamePosition& p, MoveTrial& trial) {
  const int sign = p.sideToMove == kWhite ? 1 : -1;
  const Square ep = p.epSquare;
  if (ep == 0 || ep >= 64 || RankOf(ep) != (sign > 0 ? 5 : 2)) return false;
  const Square victim = ep - 8 * sign;  // the pawn that made the double step
  if (FileOf(victim) > 0 && p.squares[victim - 1] == sign * kPawn && trial.IsLegal(victim - 1, ep, victim)) return true;
  return FileOf(victim) < 7 && p.squares[victim + 1] == sign * kPawn && trial.IsLegal(victim + 1, ep, victim);
}

// No sequence of legal moves can mate: king against king, a single minor
// piece against a bare king, or bishops only, all on squares of one colour.
// Anything else (two knights, knight against bishop, bishops on both
// colours) can still end in mate and plays on.
bool IsInsufficientMaterial(const GamePosition& p) {
  int knights = 0, bishops = 0;
  bool bishopSquareColours[2] = {false, false};
  for (Square s = 0; s < 64; ++s) {
    const int code = p.squares[s];
    const int type = code < 0 ? -code : code;
    if (type == kPawn || type == kRook || type == kQueen) return false;
    if (type == kKnight) ++knights;
    if (type == kBishop) {
      ++bishops;
      bishopSquareColours[(FileOf(s) + RankOf(s)) % 2] = true;
    }
  }
  if (knights + bishops <= 1) return true;
  return knights == 0 && !(bishopSquareColours[0] && bishopSquareColours[1]);
}

// Does `current` occur for the third time? The moves are replayed from the
// start position; only the positions since shortly before the last capture
// or pawn move can repeat, so the ones before are passed silently. Positions
// count as equal with the same side to move and the same squares.
bool IsThirdOccurrence(const GamePosition& current, const GamePosition& start,
                       const std::vector<Move>& moves) {
  const int n = int(moves.size());
  if (n == 0) return false;
  const int first = std::clamp(n - current.halfMoveCounter - 2, 0, n);
  GamePosition replay = start;
  for (int k = 0; k < first; ++k) ApplyMove(replay, moves[k]);
  int matches = 0;
  for (int k = first; k <= n - 2; ++k) {
    const bool same = replay.sideToMove == current.sideToMove &&
                      std::memcmp(replay.squares, current.squares, sizeof current.squares) == 0;
    if (same && ++matches == 2) return true;
    ApplyMove(replay, moves[k]);
  }
  return false;
}

void SetOutcome(GamePosition& p, uint32_t result, uint32_t reason) {
  p.result = result;
  p.reason = reason;
}

}  // namespace

bool HasNoLegalMove(const GamePosition& p) {
  MoveTrial trial(p);
  const int sign = p.sideToMove == kWhite ? 1 : -1;

  // 1. The king.
  if (trial.AnyLegal(trial.king(), KingAttacks[trial.king()])) return false;

  // 2. Every other piece, a1 to h8.
  const Occupancy occupancy = Occupancy::FromSquares(p.squares);
  for (Square s = 0; s < 64; ++s) {
    switch (p.squares[s] * sign) {
      case kPawn:
        if (PawnHasLegalMove(p, trial, s)) return false;
        break;
      case kKnight:
        if (trial.AnyLegal(s, KnightAttacks[s])) return false;
        break;
      case kBishop:
        if (trial.AnyLegal(s, occupancy.Bishop(s))) return false;
        break;
      case kRook:
        if (trial.AnyLegal(s, occupancy.Rook(s))) return false;
        break;
      case kQueen:
        if (trial.AnyLegal(s, occupancy.Bishop(s) | occupancy.Rook(s))) return false;
        break;
      default:
        break;
    }
  }

  // 3. En passant. Castling needs no trial: when it is legal, so is the
  // king's step toward the rook.
  return !EnPassantIsLegal(p, trial);
}

void DetectGameOver(GamePosition& current, const GamePosition& start,
                    const std::vector<Move>& moves) {
  // 1. Mate or stalemate.
  if (HasNoLegalMove(current)) {
    const int other = 1 - current.sideToMove;
    if (IsSquareAttacked(current.squares, current.FindOwnKing(), other))
      SetOutcome(current, other == kWhite ? kWhiteWins : kBlackWins, kReasonMate);
    else
      SetOutcome(current, kGameDrawn, kReasonStalemate);
    return;
  }
  // 2. Fifty moves without capture or pawn move. A counter above 100 can
  // only come from a set-up position; it is as much a draw as 100.
  if (current.halfMoveCounter >= 100) return SetOutcome(current, kGameDrawn, kReasonFiftyMoves);
  // 3. Nobody can mate.
  if (IsInsufficientMaterial(current)) return SetOutcome(current, kGameDrawn, kReasonInsufficientMaterial);
  // 4. Threefold repetition.
  if (IsThirdOccurrence(current, start, moves)) return SetOutcome(current, kGameDrawn, kReasonRepetition);
  // 5. The game goes on.
  SetOutcome(current, kGameRunning, kReasonUnknown);
}

std::string Game::GameOverReasonText() const {
  const GamePosition& p = currentPosition;
  const std::string toMove = Word(p.sideToMove == kWhite ? kWordWhite : kWordBlack);
  const std::string other = Word(p.sideToMove == kWhite ? kWordBlack : kWordWhite);
  switch (p.reason) {
    case kReasonMate:
      return other + " " + Word(kWordMates);
    case kReasonResignation: {
      // The engine resigns after its own move, when the winner is to move:
      // name the side that lost, not the side to move.
      const bool blackResigned = p.result == kWhiteWins || (p.result != kBlackWins && p.sideToMove == kBlack);
      return std::string(Word(blackResigned ? kWordBlack : kWordWhite)) + " " + Word(kWordResigned);
    }
    case kReasonLossOnTime:
      return toMove + " " + Word(kWordHasLostOnTime);
    case kReasonStalemate:
      return Word(kWordStalemate);
    case kReasonInsufficientMaterial:
      return Word(kWordInsufficientMaterial);
    case kReasonRepetition:
      return Word(kWordDrawByRepetition);
    case kReasonAgreement:
      return Word(kWordDrawByAgreement);
    case kReasonFiftyMoves:
      return Word(kWordDrawByFiftyMoveRule);
    case kReasonUnfinished:
      return Word(kWordUnfinished);
    case kReasonUnknown:
      return Word(kWordUnknownReason);
    default:
      FatalError("Game::GameOverReasonText() switch fell through");
  }
}
