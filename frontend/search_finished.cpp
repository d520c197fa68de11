// The end of a search: draw offers, the move and its announcement, the
// counters behind the engine's own draw offers and resignation, and the
// ponder request. Also the ponder note and the "stat01: " status line.
#include <cstdlib>
#include <ostream>

#include "base/fatal_error.h"
#include "board/game_over.h"
#include "board/moves.h"
#include "frontend/communicator.h"
#include "frontend/replies.h"
#include "frontend/thinking_output.h"

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
  // 1.-2. The search is over; a discarded result ends here.
  searchStatus.searchActive = false;
  searchStatus.resultPending = false;
  searchStatus.ownMoveText = searchStatus.expectedMoveText = Word(kWordInvalidMove);
  if (discardResult) return;

  // 3. Open-ended searches keep their result for the next command.
  switch (searchStatus.parameters.mode) {
    case kModeThink:
      break;
    case kModeAnalyze:
      searchStatus.resultPending = true;
      if (!xboardMode) Reply(std::string(Word(kWordAnalyzeComplete)) + ".");
      return;
    case kModePonder:
      searchStatus.resultPending = true;
      if (!xboardMode) Reply(std::string(Word(kWordPonderingComplete)) + ".");
      return;
    default:
      return;
  }

  // The driver always hands back a move when the root has one (it falls
  // back to its first root move), so an empty line means mate or stalemate.
  const SearchInfo& searchInfo = engine_.Info();
  if (searchInfo.pvMoves.empty()) {
    ReportNoLegalMove();
    return;
  }
  const Move move = searchInfo.pvMoves.front();
  const std::string text = MoveTexts({move}, xboardMode).front();
  const int score = searchInfo.bestScore;
  const int margin = DrawMargin(game.currentPosition);

  // 4. The opponent's draw offer is answered; accepted on the console, it
  // ends the game without a move.
  if (!DecideDrawOffer(score, margin)) return;

  // 5. The move is played and announced.
  ClockOf(1 - SideToMove()).drawOffered = false;
  try {
    MakeGameMove(move);
  } catch (const GameError& e) {
    FatalError("Communicator::OnSearchFinished: the search's move " + text + " is not legal in the game: " +
               e.message());
  }
  AnnounceMove(move, text);

  // 6.-8. The result of a finished game, the counters, the status.
  if (GameOver()) PrintResult(game);
  UpdateCounters(score, margin);
  ResetSearchStatus();
  if (GameOver()) return;

  // 9. The engine's own draw offer after a long drawish stretch.
  const bool engineJustMoved = !ClockOf(SideToMove()).engine;
  if (engineJustMoved && movesSinceDrawOffer > 9 && std::abs(score) <= margin && drawishCount > 9) {
    if (xboardMode)
      Reply(Word(kWordOfferDraw));
    else
      Reply(std::string(Word(kWordEngineName)) + " " + Word(kWordHasOfferedADraw));
    movesSinceDrawOffer = 0;
  }

  // 10. Resignation after a long losing stretch.
  if (engineJustMoved && losingCount >= resignMoves) {
    if (xboardMode) {
      Reply(Word(kWordResign));
      return;
    }
    Reply(std::string(Word(kWordEngineName)) + " " + Word(kWordHasResigned));
    game.currentPosition.result = SideToMove() == kWhite ? kWhiteWins : kBlackWins;
    game.currentPosition.reason = kReasonResignation;
    PrintResult(game);
    ResetSearchStatus();
    return;
  }

  // 11. Pondering on the expected reply.
  if (settings.ponder && searchInfo.pvMoves.size() >= 2) RequestSearch(kModePonder, searchInfo.pvMoves[1]);
}

bool Communicator::DecideDrawOffer(int score, int margin) {
  PlayerClock& opponent = ClockOf(1 - SideToMove());
  if (!opponent.drawOffered) return true;
  opponent.drawOffered = false;
  const bool accept = (score <= drawScore + margin && notAheadCount > 1) || losingCount > 0 || drawishCount > 9;
  if (!accept) {
    if (!xboardMode) Reply(NameOf(SideToMove()) + " " + Word(kWordDeclinesRemisOffer));
    return true;
  }
  if (xboardMode) {
    Reply(Word(kWordOfferDraw));
    return true;
  }
  Reply(std::string(Word(kWordEngineName)) + " " + Word(kWordAcceptsRemisOffer));
  game.currentPosition.result = kGameDrawn;
  game.currentPosition.reason = kReasonAgreement;
  PrintResult(game);
  return false;
}

void Communicator::AnnounceMove(Move, const std::string& text) {
  if (xboardMode) {
    Reply(std::string(Word(kWordMoveWord)) + " " + text);
    return;
  }
  const int mover = 1 - SideToMove();
  std::string line = NameOf(mover) + " " + Word(kWordPlayed) + ": " + text;
  if (ClockOf(mover).engine)
    line += std::string(" (") + Word(kWordTimeUsed) + ": " +
            std::to_string(WholeSeconds(engine_.Info().endTime - engine_.Info().startTime)) + " sec)";
  Reply(line);
}

void Communicator::UpdateCounters(int score, int margin) {
  ++movesSinceDrawOffer;
  notAheadCount = score > drawScore ? 0 : notAheadCount + 1;
  drawishCount = std::abs(score) > margin ? 0 : drawishCount + 1;
  losingCount = score >= resignScore ? 0 : losingCount + 1;
}

// The position had no move to search: mate or stalemate decides the game
// (the game board normally knows it already).
void Communicator::ReportNoLegalMove() {
  GamePosition& position = game.currentPosition;
  if (position.result == kGameRunning) {
    const bool inCheck = IsSquareAttacked(position.squares, position.FindOwnKing(), 1 - position.sideToMove);
    if (inCheck) {
      position.result = position.sideToMove == kWhite ? kBlackWins : kWhiteWins;
      position.reason = kReasonMate;
    } else {
      position.result = kGameDrawn;
      position.reason = kReasonStalemate;
    }
  }
  PrintResult(game);
  ResetSearchStatus();
}

void Communicator::PrintPonderAnnotation() {
  if (searchStatus.ownMoveText == Word(kWordInvalidMove)) return;
  std::ostream& out = EngineOutput();
  out << "(" << Word(kWordEngineName) << " " << Word(kWordPlayed) << " " << searchStatus.ownMoveText << " "
      << Word(kWordExpectedMove) << " " << searchStatus.expectedMoveText << ")";
  out.flush();
}

void Communicator::PrintAnalysisStatus() {
  const SearchInfo& info = engine_.Info();
  const TimePoint end = info.endTime != 0 ? info.endTime : Now();  // the search's own clock
  const uint64_t nodes = engine_.NodesSoFar();
  Reply("stat01: " + std::to_string(Centiseconds(end - info.startTime)) + " " + std::to_string(nodes) + " " +
        std::to_string(info.displayDepth) + " " + std::to_string(info.rootMoveCount - info.currentRootMove + 1) +
        " " + std::to_string(info.rootMoveCount));
}
