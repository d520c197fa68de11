// The end of a search: an open-ended search keeps its result, a search on
// the engine's move answers the opponent's draw offer, plays and announces
// its move, counts its score for the engine's own draw offers and
// resignation, and asks for a ponder search.
#include "base/fatal_error.h"
#include "board/game_over.h"
#include "frontend/communicator.h"

namespace {

// A think's duration as people read it: whole seconds, rounded.
int64_t WholeSeconds(Milliseconds duration) { return (duration + kMillisecondsPerSecond / 2) / kMillisecondsPerSecond; }

// The position had no move to search: mate or stalemate decides the game
// (the game board normally knows it already).
void ReportNoLegalMove(Communicator& c) {
  const GamePosition& position = c.session().game().currentPosition;
  if (position.result == kGameRunning) {
    const int side = position.sideToMove;
    if (IsSquareAttacked(position.squares, position.FindOwnKing(), 1 - side))
      c.session().SetResult(side == kWhite ? kBlackWins : kWhiteWins, kReasonMate);
    else
      c.session().SetResult(kGameDrawn, kReasonStalemate);
  }
  c.PrintResult();
  c.ResetSearchStatus();
}

// The opponent's standing offer is answered; accepted where the dialect
// referees the game, it ends the game without the engine's move (false).
bool AnswerDrawOffer(Communicator& c, int score, int margin) {
  GameSession& session = c.session();
  const int opponent = 1 - session.SideToMove();
  if (!session.DrawOffered(opponent)) return true;
  session.SetDrawOffer(opponent, false);
  const bool accepted = session.AcceptsDraw(score, margin);
  c.out().Reply(c.dialect().DrawAnswer(accepted, session.NameOf(session.SideToMove())));
  if (!accepted || !c.dialect().RefereesTheGame()) return true;
  session.SetResult(kGameDrawn, kReasonAgreement);
  c.PrintResult();
  return false;
}

void AnnounceMove(Communicator& c, const std::string& text) {
  const int mover = 1 - c.session().SideToMove();
  const SearchInfo& info = c.engine().Info();
  std::optional<int64_t> seconds;
  if (c.session().EnginePlays(mover)) seconds = WholeSeconds(info.endTime - info.startTime);
  c.out().Reply(c.dialect().MoveLine(c.session().NameOf(mover), text, seconds));
}

// After the engine's move: its own draw offer after a long drawish
// stretch, its resignation after a long losing one, or a ponder search on
// the expected reply.
void OfferResignOrPonder(Communicator& c, const SearchInfo& info, int margin) {
  GameSession& session = c.session();
  const bool engineJustMoved = !session.EnginePlays(session.SideToMove());
  if (engineJustMoved && session.WantsToOfferDraw(info.bestScore, margin)) {
    c.out().Reply(c.dialect().EngineDrawOffer());
    session.NoteEngineDrawOffer();
  }
  if (engineJustMoved && session.WantsToResign()) {
    c.out().Reply(c.dialect().Resignation());
    if (!c.dialect().RefereesTheGame()) return;
    session.SetResult(session.SideToMove() == kWhite ? kWhiteWins : kBlackWins, kReasonResignation);
    c.PrintResult();
    c.ResetSearchStatus();
    return;
  }
  if (session.settings().ponder && info.pvMoves.size() >= 2) c.RequestSearch(kModePonder, info.pvMoves[1]);
}

// The search on the engine's move has ended: its move, unless an accepted
// draw ends the game first.
void PlayEngineMove(Communicator& c) {
  // The driver always hands back a move when the root has one (it falls
  // back to its first root move), so an empty line means mate or stalemate.
  const SearchInfo& info = c.engine().Info();
  if (info.pvMoves.empty()) {
    ReportNoLegalMove(c);
    return;
  }
  GameSession& session = c.session();
  const Move move = info.pvMoves.front();
  const std::string text = c.dialect().MoveTexts({move}, session.game().currentPosition.chess960 != 0).front();
  const int margin = DrawMargin(session.game().currentPosition);
  if (!AnswerDrawOffer(c, info.bestScore, margin)) return;
  session.SetDrawOffer(1 - session.SideToMove(), false);
  try {
    c.MakeGameMove(move);
  } catch (const GameError& e) {
    FatalError("the search's move " + text + " is not legal in the game: " + e.message());
  }
  AnnounceMove(c, text);
  if (session.GameOver()) c.PrintResult();
  session.CountEngineMove(info.bestScore, margin);
  c.ResetSearchStatus();
  if (!session.GameOver()) OfferResignOrPonder(c, info, margin);
}

}  // namespace

void Communicator::OnSearchFinished(bool discardResult) {
  searchStatus_.searchActive = false;
  searchStatus_.resultPending = false;
  searchStatus_.ownMoveText = searchStatus_.expectedMoveText = Word(kWordInvalidMove);
  if (discardResult) return;
  switch (searchStatus_.parameters.mode) {
    case kModeThink: PlayEngineMove(*this); return;
    case kModeAnalyze:
      searchStatus_.resultPending = true;
      output_.Reply(dialect_.Note(ConsoleNote::kAnalysisComplete));
      return;
    case kModePonder:
      searchStatus_.resultPending = true;
      output_.Reply(dialect_.Note(ConsoleNote::kPonderingComplete));
      return;
    default: return;
  }
}
