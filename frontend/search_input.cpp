// Input while a search runs: commands that leave the search alone are
// carried out at once; the others change the game or the mode and end the
// search, queueing what the idle loop has to finish.
#include "board/moves.h"
#include "frontend/communicator.h"
#include "frontend/protocol_two.h"
#include "frontend/replies.h"
#include "session/string_utils.h"

void Communicator::EndSearch(bool discardResult) { throw search_aborted_exception(discardResult); }

namespace {

// Lines handled in one poll at most: a flood of input is worked off quickly
// without starving the search when the input never stops.
constexpr int kMaxLinesPerPoll = 64;

}  // namespace

void Communicator::DealWithSearching() {
  // 1. A fallen flag ends the game and with it the search (console only).
  if (CheckFlagFall()) EndSearch(true);
  for (int handled = 0; handled < kMaxLinesPerPoll; ++handled) {
    // 2. Nothing waiting: back to the search at once.
    if (!input_.InputAvailable()) return;
    // 3.-4. One line, split into words.
    Tokenize(input_.ReadLine(), searchWords_);
    // 5. Commands that do not disturb the search; 6. the others, by the
    // command and the running search's mode.
    if (!HandleCommonCommand(searchWords_)) SearchingCommand(searchWords_);
  }
}

void Communicator::SearchingCommand(const WordList& words) {
  const int mode = searchStatus.parameters.mode;
  const bool thinking = mode == kModeThink, analysing = mode == kModeAnalyze;
  const std::string& command = words.front();
  if (IsWord(command, kWordMoveNow)) {
    if (thinking) EndSearch(false);
    ReplyError(Word(kWordCommandNotLegalNow), words);
  } else if (IsWord(command, kWordAnalyze)) {
    if (thinking || analysing) {
      ReplyError(Word(kWordCommandNotLegalNow), words);
      return;
    }
    commandQueue.push_back(words);
    EndSearch(true);
  } else if (IsWord(command, kWordBlack) || IsWord(command, kWordWhite)) {
    const bool black = IsWord(command, kWordBlack);
    if (!SetSideToMove(black ? kBlack : kWhite)) {
      ReplyError(std::string(Word(black ? kWordWhite : kWordBlack)) + " " + Word(kWordKingWouldBeInCheck), words);
      return;
    }
    QueueWord(black ? kWordBlack : kWordWhite);
    EndSearch(true);
  } else if (IsWord(command, kWordEdit)) {
    if (thinking) {
      ReplyError(Word(kWordCommandNotLegalNow), words);
      return;
    }
    if (!EditGameCopy(words)) return;
    if (analysing)
      QueueWord(kWordAnalyze);
    else
      QueueWord(SideToMove() == kWhite ? kWordWhite : kWordBlack);
    EndSearch(true);
  } else if (IsWord(command, kWordEnd) || IsWord(command, kWordQuit)) {
    quitRequested = true;
    EndSearch(true);
  } else if (IsWord(command, kWordExit)) {
    if (analysing) {
      analyzeMode = false;
      EndSearch(true);
    }
    if (xboardMode) xboardMode = false;
  } else if (IsWord(command, kWordForce)) {
    QueueWord(kWordForce);
    EndSearch(true);
  } else if (IsWord(command, kWordGo)) {
    if (thinking) {
      ReplyError(Word(kWordCommandNotLegalNow), words);
      return;
    }
    if (analysing) {
      if (!xboardMode) Reply(Word(kWordRestartingAnalyze));
      QueueWord(kWordAnalyze);
    } else {
      QueueWord(kWordGo);
    }
    EndSearch(true);
  } else if (IsWord(command, kWordNew)) {
    ResetForNewGame();
    if (analysing)
      QueueWord(kWordAnalyze);
    else
      EnginePlaysOtherSide();
    EndSearch(true);
  } else if (IsWord(command, kWordTb) || IsWord(command, kWordUndo)) {
    if (game.moves.empty()) {
      if (!xboardMode) Reply(std::string(Word(kWordCannotTakeBack)) + ".");
      return;
    }
    TakeBackWithClocks();
    if (analysing)
      QueueWord(kWordAnalyze);
    else
      EnginePlaysOtherSide();
    EndSearch(true);
  } else if (!SearchingProtocolCommand(words)) {
    SearchingMove(words);
  }
}

void Communicator::SearchingMove(const WordList& words) {
  const int mode = searchStatus.parameters.mode;
  // 1. The first word must read as a legal move in the game position.
  Move move = 0;
  try {
    move = ReadGameMove(words.front());
  } catch (const GameError&) {
    ReplyUnreadableMove(words);
    return;
  }
  // 2. While the engine thinks it is not the opponent's turn.
  if (mode == kModeThink) {
    if (!xboardMode)
      Reply(std::string(Word(kWordNotYourTurn)) + ", " + NameOf(1 - SideToMove()));
    return;
  }
  // 3.-4. Analysing or pondering: the move is played on the game.
  try {
    MakeGameMove(move);
  } catch (const GameError&) {
    ReplyIllegalMove("", words);
    return;
  }
  if (GameOver()) {
    PrintResult(game);
    if (mode == kModeAnalyze) analyzeMode = false;
    EndSearch(true);
  }
  if (mode == kModeAnalyze) {
    QueueWord(kWordAnalyze);
    EndSearch(true);
  }
  if (MoveLow21(move) == MoveLow21(ponderMove)) {
    // The expected move: the ponder search goes on as the real search.
    PonderHit();
    ponderMove = 0;
    return;
  }
  RequestSearch(kModeThink, 0);
  EndSearch(true);
}

void Communicator::PonderHit() {
  searchStatus.searchActive = true;
  searchStatus.parameters.mode = kModeThink;
  ApplyInterfaceClocks();
  // Under a clock the limits come from the engine's own clock, not from the
  // opponent's clock that the ponder request saw. The time already spent
  // pondering still counts, so the engine's clock is never overstepped.
  if (clockMode && engine_.Info().searching) {
    const ClockLimits limits = LimitsFromClock(ClockOf(SideToMove()).Reading(settings.moveOverhead), settings.timeRule);
    searchStatus.parameters.hardLimit = limits.hardLimit;
    searchStatus.parameters.allotment = limits.allotment;
  }
  engine_.EndOpenEndedSearch(searchStatus.parameters.hardLimit, searchStatus.parameters.allotment);
  searchStatus.ownMoveText = searchStatus.expectedMoveText = Word(kWordInvalidMove);
  if (!xboardMode) Reply(std::string(Word(kWordPredictedMoveMade)) + ".");
}
