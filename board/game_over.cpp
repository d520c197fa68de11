// Game-over detection on the game board and the texts of the reasons.
#include "board/game_over.h"

#include <algorithm>
#include <cstring>

#include "base/fatal_error.h"
#include "base/protocol_words.h"
#include "board/moves.h"

namespace {

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

// One side's men, the bishops by the colour of their squares.
struct SideMaterial {
  int pawns = 0, knights = 0, rooks = 0, queens = 0;
  int bishops[2] = {0, 0};
};

SideMaterial MaterialOf(const GamePosition& p, int side) {
  SideMaterial m;
  for (Square s = 0; s < 64; ++s) {
    const int code = p.squares[s] * (side == kWhite ? 1 : -1);
    if (code == kPawn) ++m.pawns;
    if (code == kKnight) ++m.knights;
    if (code == kBishop) ++m.bishops[(FileOf(s) + RankOf(s)) % 2];
    if (code == kRook) ++m.rooks;
    if (code == kQueen) ++m.queens;
  }
  return m;
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

bool HasNoLegalMove(const GamePosition& p) { return LegalMoves(p).empty(); }

// Neither side can gain men (a side without pawns promotes nothing), so each
// case below holds for every position that follows.
//  - A lone king gives no check.
//  - King and knight against men that are all queens: of the three squares
//    next to the checked king towards the knight, a queen on any would take
//    the knight, and the mating king cannot cover two of them without
//    standing next to the other king.
//  - King and bishops all on one colour against no pawn, knight or bishop of
//    the other colour: two bishops of one colour never check at once, and of
//    the checked king's neighbours beside the first square of the checking
//    line, both of the other colour, no bishop covers either, the mating king
//    cannot cover both, and a rook or queen on one would take the checker or
//    block the line.
bool CannotEverMate(const GamePosition& p, int side) {
  const SideMaterial own = MaterialOf(p, side), other = MaterialOf(p, 1 - side);
  if (own.pawns + own.rooks + own.queens > 0) return false;
  const int bishops = own.bishops[0] + own.bishops[1];
  if (own.knights == 0 && bishops == 0) return true;
  if (own.knights == 1 && bishops == 0)
    return other.pawns + other.knights + other.bishops[0] + other.bishops[1] + other.rooks == 0;
  if (own.knights > 0 || (own.bishops[0] > 0 && own.bishops[1] > 0)) return false;
  const int otherColour = own.bishops[0] > 0 ? 1 : 0;
  return other.pawns + other.knights + other.bishops[otherColour] == 0;
}

// The first rule that applies decides; a mate on the move that reaches the
// fifty-move limit is still a mate.
void DetectGameOver(GamePosition& current, const GamePosition& start,
                    const std::vector<Move>& moves) {
  if (HasNoLegalMove(current)) {
    if (IsInCheck(current))
      SetOutcome(current, current.sideToMove == kWhite ? kBlackWins : kWhiteWins, kReasonMate);
    else
      SetOutcome(current, kGameDrawn, kReasonStalemate);
    return;
  }
  // A counter above 100 can only come from a set-up position; it is as much
  // a draw as 100.
  if (current.halfMoveCounter >= 100) return SetOutcome(current, kGameDrawn, kReasonFiftyMoves);
  if (IsInsufficientMaterial(current)) return SetOutcome(current, kGameDrawn, kReasonInsufficientMaterial);
  if (IsThirdOccurrence(current, start, moves)) return SetOutcome(current, kGameDrawn, kReasonRepetition);
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
    case kReasonTimeoutDraw:
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
