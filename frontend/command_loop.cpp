// The idle loop: queued commands, requested searches, the console prompt and
// the commands that are handled only while no search runs.
#include <ostream>

#include "base/fatal_error.h"
#include "board/moves.h"
#include "frontend/communicator.h"
#include "frontend/protocol_two.h"
#include "frontend/replies.h"
#include "session/string_utils.h"

void Communicator::DealWithNotSearching() {
  for (;;) {
    // 2. Leave after "quit" or "end".
    if (quitRequested) return;
    // 3. Everything queued, in order.
    while (!commandQueue.empty()) {
      const WordList words = commandQueue.front();
      commandQueue.pop_front();
      if (!HandleCommonCommand(words)) HandleIdleCommand(words);
    }
    if (quitRequested) return;
    // 4. A requested search runs to its end.
    if (searchRequested) {
      StartSearch();
      continue;
    }
    // 5. Prompt, then the next line; "uci" as the first of all hands the
    // streams over to the UCI dialogue.
    if (!xboardMode) PrintPrompt();
    const std::string line = input_.ReadLine();
    if (OpensUciDialogue(line)) {
      if (output_.MidLine()) WriteLine("");
      uciRequested = true;
      return;
    }
    CheckFlagFall();
    commandQueue.push_back(Tokenize(line));
  }
}

void Communicator::PrintPrompt() {
  std::ostream& out = EngineOutput();
  out << Word(SideToMove() == kWhite ? kWordWhite : kWordBlack) << ' ' << game.moves.size() / 2 + 1 << "> ";
  out.flush();
}

bool Communicator::OpensUciDialogue(const std::string& line) {
  const bool first = !anyLineRead_;
  anyLineRead_ = true;
  return first && Tokenize(line) == WordList{"uci"};
}

void Communicator::StartSearch() {
  // 1. The request is taken.
  searchRequested = false;
  if (ponderMove != 0) {
    // 2. A ponder search works on the position after the expected move
    // while the game stays before it.
    if (!PreparePonderPosition()) {
      ponderMove = 0;
      ResetSearchStatus();
      return;
    }
  } else {
    // 3. Any other search works on the game position.
    engine_.LoadGame(game);
    searchStatus.ownMoveText = searchStatus.expectedMoveText = Word(kWordInvalidMove);
  }
  // 4. The driver runs, reporting to this session, and its result is taken.
  searchStatus.searchActive = true;
  const bool discard = engine_.Think(searchStatus.parameters, *this);
  OnSearchFinished(discard);
}

// The texts of the engine's last move and the expected reply, and the
// search position after that reply. False when there is nothing to ponder
// on: no own move to show, or a reply that is not legal in the game.
bool Communicator::PreparePonderPosition() {
  if (game.moves.empty() || GameOver()) return false;
  const Move ownMove = game.moves.back();
  game.TakeBack();
  searchStatus.ownMoveText = MoveToText(game.currentPosition, ownMove, kMoveTextUpperCoordinates);
  game.PlayMove(ownMove);
  if (!IsLegalMove(game.currentPosition, ponderMove)) {
    searchStatus.ownMoveText = Word(kWordInvalidMove);
    return false;
  }
  searchStatus.expectedMoveText = MoveToText(game.currentPosition, ponderMove, kMoveTextUpperCoordinates);
  game.PlayMove(ponderMove);
  engine_.LoadGame(game);
  game.TakeBack();
  return true;
}

void Communicator::HandleIdleCommand(const WordList& words) {
  const std::string& command = words.front();
  if (IsWord(command, kWordMoveNow)) {
    ReplyError(Word(kWordCommandNotLegalNow), words);
  } else if (IsWord(command, kWordAnalyze)) {
    RequestSearch(kModeAnalyze, 0);
  } else if (IsWord(command, kWordBlack)) {
    if (!SetSideToMove(kBlack))
      ReplyError(std::string(Word(kWordWhite)) + " " + Word(kWordKingWouldBeInCheck), words);
  } else if (IsWord(command, kWordWhite)) {
    if (!SetSideToMove(kWhite))
      ReplyError(std::string(Word(kWordBlack)) + " " + Word(kWordKingWouldBeInCheck), words);
  } else if (IsWord(command, kWordEdit)) {
    if (EditGameCopy(words)) {
      if (analyzeMode)
        QueueWord(kWordAnalyze);
      else if (EnginePlaysEitherSide())
        EnginePlaysOtherSide();
    }
  } else if (IsWord(command, kWordEnd) || IsWord(command, kWordQuit)) {
    quitRequested = true;
  } else if (IsWord(command, kWordExit)) {
    if (analyzeMode) {
      ResetSearchStatus();
      analyzeMode = false;
    } else if (xboardMode) {
      xboardMode = false;
    }
  } else if (IsWord(command, kWordForce)) {
    ResetBothClocks();
    ResetSearchStatus();
    whiteClock.engine = blackClock.engine = false;
  } else if (IsWord(command, kWordGo)) {
    IdleGo();
  } else if (IsWord(command, kWordNew)) {
    ResetForNewGame();
    if (analyzeMode)
      QueueWord(kWordAnalyze);
    else
      EnginePlaysOtherSide();
  } else if (IsWord(command, kWordTb) || IsWord(command, kWordUndo)) {
    IdleTakeBack();
  } else if (!IdleProtocolCommand(words)) {
    IdleMove(words);
  }
}

void Communicator::IdleGo() {
  // 1. A finished game only shows its result again.
  if (GameOver()) {
    PrintResult(game);
    return;
  }
  // 2. A finished analysis restarts; a finished ponder search is dropped.
  if (searchStatus.resultPending) {
    switch (searchStatus.parameters.mode) {
      case kModeAnalyze:
        if (!xboardMode) Reply(Word(kWordRestartingAnalyze));
        RequestSearch(kModeAnalyze, 0);
        return;
      case kModePonder:
        break;
      default:
        FatalError("Communicator::DealWithNotSearching switch fell through");
    }
  }
  // 3. The engine plays the side to move and thinks.
  ClockOf(SideToMove()).engine = true;
  ClockOf(1 - SideToMove()).engine = false;
  if (clockMode) ClockOf(SideToMove()).Start(ClockNow());
  RequestSearch(kModeThink, 0);
}

void Communicator::IdleTakeBack() {
  if (game.moves.empty()) {
    if (!xboardMode) Reply(std::string(Word(kWordCannotTakeBack)) + ".");
    return;
  }
  TakeBackWithClocks();
  if (analyzeMode) {
    ResetSearchStatus();
    QueueWord(kWordAnalyze);
  } else if (EnginePlaysEitherSide()) {
    EnginePlaysOtherSide();
  }
  ResetSearchStatus();
}

void Communicator::IdleMove(const WordList& words) {
  // 1. The first word must be a legal move; it is played.
  const bool pending = searchStatus.resultPending;
  Move move = 0;
  try {
    move = ReadGameMove(words.front());
    MakeGameMove(move);
  } catch (const GameError&) {
    ReplyUnreadableMove(words);
    return;
  }
  if (GameOver()) {
    PrintResult(game);
    if (pending) analyzeMode = false;
    return;
  }
  // 2. A finished analysis or ponder search was waiting for this move: the
  // analysis moves on, the ponder result answers the expected move at once.
  if (pending) {
    if (analyzeMode) {
      RequestSearch(kModeAnalyze, 0);
    } else if (MoveLow21(move) == MoveLow21(ponderMove)) {
      PonderHit();
      ponderMove = 0;
      OnSearchFinished(false);
    } else {
      ResetSearchStatus();
      RequestSearch(kModeThink, 0);
    }
    return;
  }
  // 3. Otherwise the engine answers when it is on move now.
  if (ClockOf(SideToMove()).engine) RequestSearch(kModeThink, 0);
}
