// The end of a search: an open-ended search keeps its result, a search on
// the engine's move answers the opponent's draw offer, plays and announces
// its move, counts its score for the engine's own draw offers and
// resignation, and asks for a ponder search.
#include <cstdlib>

#include "base/fatal_error.h"
#include "board/game_over.h"
#include "frontend/communicator.h"

namespace {

constexpr int kDrawMarginWithQueens = 20;
constexpr int kDrawMarginWithoutQueens = 25;

// A think's duration as people read it: whole seconds, rounded.
int64_t WholeSeconds(Milliseconds duration) {
  return (duration + kMillisecondsPerSecond / 2) / kMillisecondsPerSecond;
}

// How close to the draw score a score counts as drawish, in the position
// the engine moves from (the search's root).
int DrawMargin(const GamePosition& root) {
  for (const int8_t piece : root.squares)
    if (std::abs(piece) == kQueen) return kDrawMarginWithQueens;
  return kDrawMarginWithoutQueens;
}

}  // namespace

void Communicator::OnSearchFinished(bool discardResult) {
  searchStatus_.searchActive = false;
  searchStatus_.resultPending = false;
  searchStatus_.ownMoveText = searchStatus_.expectedMoveText = Word(kWordInvalidMove);
  if (discardResult) return;
  switch (searchStatus_.parameters.mode) {
    case kModeThink: break;
    case kModeAnalyze:
      searchStatus_.resultPending = true;
      Reply(dialect_.Note(ConsoleNote::kAnalysisComplete));
      return;
    case kModePonder:
      searchStatus_.resultPending = true;
      Reply(dialect_.Note(ConsoleNote::kPonderingComplete));
      return;
    default: return;
  }

  // The driver always hands back a move when the root has one (it falls
  // back to its first root move), so an empty line means mate or stalemate.
  const SearchInfo& info = engine_.Info();
  if (info.pvMoves.empty()) {
    ReportNoLegalMove();
    return;
  }
  const Move move = info.pvMoves.front();
  const std::string text = dialect_.MoveTexts({move}).front();
  const int margin = DrawMargin(session_.game().currentPosition);
  if (!AnswerDrawOffer(info.bestScore, margin)) return;

  session_.SetDrawOffer(1 - session_.SideToMove(), false);
  try {
    MakeGameMove(move);
  } catch (const GameError& e) {
    FatalError("Communicator::OnSearchFinished: the search's move " + text + " is not legal in the game: " +
               e.message());
  }
  AnnounceMove(text);
  if (session_.GameOver()) PrintResult();
  session_.CountEngineMove(info.bestScore, margin);
  ResetSearchStatus();
  if (session_.GameOver()) return;
  OfferOrResign(info, margin);
}

// The opponent's standing offer is answered; accepted where the dialect
// referees the game, it ends the game without the engine's move (false).
bool Communicator::AnswerDrawOffer(int score, int margin) {
  const int opponent = 1 - session_.SideToMove();
  if (!session_.DrawOffered(opponent)) return true;
  session_.SetDrawOffer(opponent, false);
  const bool accepted = session_.AcceptsDraw(score, margin);
  Reply(dialect_.DrawAnswer(accepted, session_.NameOf(session_.SideToMove())));
  if (!accepted || !dialect_.RefereesTheGame()) return true;
  session_.SetResult(kGameDrawn, kReasonAgreement);
  PrintResult();
  return false;
}

void Communicator::AnnounceMove(const std::string& text) {
  const int mover = 1 - session_.SideToMove();
  std::optional<int64_t> seconds;
  if (session_.EnginePlays(mover)) seconds = WholeSeconds(engine_.Info().endTime - engine_.Info().startTime);
  Reply(dialect_.MoveLine(session_.NameOf(mover), text, seconds));
}

// After the engine's move: its own draw offer after a long drawish
// stretch, its resignation after a long losing one, or a ponder search on
// the expected reply.
void Communicator::OfferOrResign(const SearchInfo& info, int margin) {
  const bool engineJustMoved = !session_.EnginePlays(session_.SideToMove());
  if (engineJustMoved && session_.WantsToOfferDraw(info.bestScore, margin)) {
    Reply(dialect_.EngineDrawOffer());
    session_.NoteEngineDrawOffer();
  }
  if (engineJustMoved && session_.WantsToResign()) {
    Reply(dialect_.Resignation());
    if (!dialect_.RefereesTheGame()) return;
    session_.SetResult(session_.SideToMove() == kWhite ? kWhiteWins : kBlackWins, kReasonResignation);
    PrintResult();
    ResetSearchStatus();
    return;
  }
  if (session_.settings().ponder && info.pvMoves.size() >= 2) RequestSearch(kModePonder, info.pvMoves[1]);
}

// The position had no move to search: mate or stalemate decides the game
// (the game board normally knows it already).
void Communicator::ReportNoLegalMove() {
  const GamePosition& position = session_.game().currentPosition;
  if (position.result == kGameRunning) {
    const int side = position.sideToMove;
    if (IsSquareAttacked(position.squares, position.FindOwnKing(), 1 - side))
      session_.SetResult(side == kWhite ? kBlackWins : kWhiteWins, kReasonMate);
    else
      session_.SetResult(kGameDrawn, kReasonStalemate);
  }
  PrintResult();
  ResetSearchStatus();
}
