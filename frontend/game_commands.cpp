#include <string>

#include "base/fatal_error.h"
#include "board/fen.h"
#include "frontend/command_actions.h"
#include "frontend/communicator.h"

namespace game_commands {

namespace {

int Mode(const Communicator& c) { return c.Status().parameters.mode; }
bool Thinking(const Communicator& c) { return Mode(c) == kModeThink; }
bool Analysing(const Communicator& c) { return Mode(c) == kModeAnalyze; }

bool NotLegalNow(Communicator& c, const WordList& words) {
  c.out().ReplyError(Word(kWordCommandNotLegalNow), words);
  return true;
}

// After a change of the game while idle: an analysis goes on from it, a
// game the engine plays goes on with the engine on the side not to move.
void AnalyseOrHandOver(Communicator& c) {
  if (c.AnalyzeMode())
    c.QueueWord(kWordAnalyze);
  else if (c.session().EnginePlaysEitherSide())
    c.EnginePlaysOtherSide();
}

// The same when the change ends a search: the engine takes the side not
// to move even when it played neither.
bool RestartAnalysisOrHandOver(Communicator& c) {
  if (Analysing(c))
    c.QueueWord(kWordAnalyze);
  else
    c.EnginePlaysOtherSide();
  return c.EndSearch(true);
}

int SideOfWord(const std::string& word) { return word == Word(kWordWhite) ? kWhite : kBlack; }

std::string JoinedArguments(const WordList& words) {
  std::string text;
  for (size_t i = 1; i < words.size(); ++i) text += (i > 1 ? " " : "") + words[i];
  return text;
}

// "setboard": the game restarts from the FEN position. False, after the
// error reply naming the problem (the reader's own text for malformed FEN,
// the rule that the position breaks otherwise), when the FEN is refused;
// nothing changes then.
bool SetBoardFromWords(Communicator& c, const WordList& words) {
  try {
    c.session().SetUpPosition(ParseFen(JoinedArguments(words), c.session().settings().chess960));
  } catch (const GameError& e) {
    const std::string& message = e.message();
    c.out().ReplyError(
        message.rfind("Invalid FEN", 0) == 0 ? message : std::string(Word(kWordPositionNotLegal)) + ": " + message,
        words);
    return false;
  }
  c.ResetSearchStatus();
  c.ForgetPonderMove();
  return true;
}

// "remove": the last two moves are taken back and the engine keeps its
// colour; false, after the error reply, when there are fewer than two.
bool RemoveTwoMoves(Communicator& c, const WordList& words) {
  if (c.session().game().moves.size() < 2) {
    NotLegalNow(c, words);
    return false;
  }
  c.session().TakeBack();
  c.session().TakeBack();
  c.ResetSearchStatus();
  c.ForgetPonderMove();
  return true;
}

// The game result a "result" command's second word names; running for a
// word that is no result.
uint32_t ResultOfWord(const std::string& word) {
  if (word == "1-0" || word == "1:0") return kWhiteWins;
  if (word == "0-1" || word == "0:1") return kBlackWins;
  if (word == "1/2-1/2" || word == "1/2:1/2") return kGameDrawn;
  if (word == "*") return kGameUndecided;
  return kGameRunning;
}

}  // namespace

// "?" moves now only while the engine thinks on its move.
bool MoveNowIdle(Communicator& c, const WordList& words) { return NotLegalNow(c, words); }
bool MoveNowSearching(Communicator& c, const WordList& words) {
  if (Thinking(c)) return c.EndSearch(false);
  return NotLegalNow(c, words);
}

bool AnalyzeIdle(Communicator& c, const WordList&) {
  c.RequestSearch(kModeAnalyze, 0);
  return true;
}
bool AnalyzeSearching(Communicator& c, const WordList& words) {
  if (Thinking(c) || Analysing(c)) return NotLegalNow(c, words);
  c.Queue(words);
  return c.EndSearch(true);
}

// "white", "black": that side is on move, the engine plays the other.
bool SideIdle(Communicator& c, const WordList& words) {
  c.SetSideToMove(SideOfWord(words.front()), words);
  return true;
}
bool SideSearching(Communicator& c, const WordList& words) {
  if (!c.SetSideToMove(SideOfWord(words.front()), words)) return true;
  c.Queue(WordList{words.front()});
  return c.EndSearch(true);
}

bool EditIdle(Communicator& c, const WordList& words) {
  if (c.EditGameCopy(words)) AnalyseOrHandOver(c);
  return true;
}
bool EditSearching(Communicator& c, const WordList& words) {
  if (Thinking(c)) return NotLegalNow(c, words);
  if (!c.EditGameCopy(words)) return true;
  c.QueueWord(Analysing(c) ? kWordAnalyze : c.session().SideToMove() == kWhite ? kWordWhite : kWordBlack);
  return c.EndSearch(true);
}

bool QuitIdle(Communicator& c, const WordList&) {
  c.RequestQuit();
  return true;
}
bool QuitSearching(Communicator& c, const WordList&) {
  c.RequestQuit();
  return c.EndSearch(true);
}

// "exit" leaves an analysis, or else xboard mode.
bool ExitIdle(Communicator& c, const WordList&) {
  if (c.AnalyzeMode()) {
    c.ResetSearchStatus();
    c.LeaveAnalyzeMode();
  } else {
    c.dialect().LeaveXboard();
  }
  return true;
}
bool ExitSearching(Communicator& c, const WordList&) {
  if (Analysing(c)) {
    c.LeaveAnalyzeMode();
    return c.EndSearch(true);
  }
  c.dialect().LeaveXboard();
  return true;
}

// "force": the engine plays neither side; the clocks stand.
bool ForceIdle(Communicator& c, const WordList&) {
  c.session().ResetClocks();
  c.ResetSearchStatus();
  c.session().EnginePlaysNeither();
  return true;
}
bool ForceSearching(Communicator& c, const WordList&) {
  c.QueueWord(kWordForce);
  return c.EndSearch(true);
}

// "go": a finished game only shows its result again; a finished analysis
// restarts, a finished ponder search is dropped; the engine plays the side
// to move and thinks.
bool GoIdle(Communicator& c, const WordList&) {
  GameSession& session = c.session();
  if (session.GameOver()) {
    c.PrintResult();
    return true;
  }
  if (c.Status().resultPending) {
    switch (Mode(c)) {
      case kModeAnalyze:
        c.out().Reply(c.dialect().Note(ConsoleNote::kRestartingAnalysis));
        c.RequestSearch(kModeAnalyze, 0);
        return true;
      case kModePonder: break;
      default: FatalError("go: a finished search of an unknown mode waits");
    }
  }
  session.SetEngineSide(session.SideToMove());
  if (session.ClockMode()) session.StartClock(session.SideToMove());
  c.RequestSearch(kModeThink, 0);
  return true;
}
bool GoSearching(Communicator& c, const WordList& words) {
  if (Thinking(c)) return NotLegalNow(c, words);
  if (Analysing(c)) {
    c.out().Reply(c.dialect().Note(ConsoleNote::kRestartingAnalysis));
    c.QueueWord(kWordAnalyze);
  } else {
    c.QueueWord(kWordGo);
  }
  return c.EndSearch(true);
}

// A fresh game of standard chess or Chess960, the search status reset.
void StartFreshGame(Communicator& c, bool chess960) {
  c.session().Settings().chess960 = chess960;
  c.session().NewGame();
  c.ResetSearchStatus();
}

// "new": a fresh game of standard chess with the engine as Black, or a
// fresh analysis.
bool NewIdle(Communicator& c, const WordList&) {
  StartFreshGame(c, false);
  if (c.AnalyzeMode())
    c.QueueWord(kWordAnalyze);
  else
    c.EnginePlaysOtherSide();
  return true;
}
bool NewSearching(Communicator& c, const WordList&) {
  StartFreshGame(c, false);
  return RestartAnalysisOrHandOver(c);
}

// "variant fischerandom" (Chess960) or "variant normal", sent after "new":
// the game starts afresh as that variant (xboard then sets a Chess960 start
// with "setboard"). Any other variant is refused.
bool IsKnownVariant(const WordList& words) {
  return words.size() == 2 && (words[1] == "normal" || words[1] == "fischerandom");
}
bool VariantIdle(Communicator& c, const WordList& words) {
  if (!IsKnownVariant(words)) return false;
  StartFreshGame(c, words[1] == "fischerandom");
  if (c.AnalyzeMode()) c.QueueWord(kWordAnalyze);
  return true;
}
bool VariantSearching(Communicator& c, const WordList& words) {
  if (!IsKnownVariant(words)) return false;
  StartFreshGame(c, words[1] == "fischerandom");
  return RestartAnalysisOrHandOver(c);
}

// "tb", "undo": one move back.
bool TakeBackIdle(Communicator& c, const WordList&) {
  if (c.session().game().moves.empty()) {
    c.out().Reply(c.dialect().Note(ConsoleNote::kCannotTakeBack));
    return true;
  }
  c.session().TakeBack();
  if (c.AnalyzeMode()) {
    c.ResetSearchStatus();
    c.QueueWord(kWordAnalyze);
  } else if (c.session().EnginePlaysEitherSide()) {
    c.EnginePlaysOtherSide();
  }
  c.ResetSearchStatus();
  return true;
}
bool TakeBackSearching(Communicator& c, const WordList&) {
  if (c.session().game().moves.empty()) {
    c.out().Reply(c.dialect().Note(ConsoleNote::kCannotTakeBack));
    return true;
  }
  c.session().TakeBack();
  return RestartAnalysisOrHandOver(c);
}

// "setboard": a refused position leaves everything, a running search too.
bool SetboardIdle(Communicator& c, const WordList& words) {
  if (SetBoardFromWords(c, words)) AnalyseOrHandOver(c);
  return true;
}
bool SetboardSearching(Communicator& c, const WordList& words) {
  if (!SetBoardFromWords(c, words)) return true;
  return RestartAnalysisOrHandOver(c);
}

bool RemoveIdle(Communicator& c, const WordList& words) {
  if (RemoveTwoMoves(c, words) && c.AnalyzeMode()) c.QueueWord(kWordAnalyze);
  return true;
}
// While the engine thinks on its move, the opponent has no move to take
// back.
bool RemoveSearching(Communicator& c, const WordList& words) {
  if (Thinking(c)) return NotLegalNow(c, words);
  if (!RemoveTwoMoves(c, words)) return true;
  if (Analysing(c)) c.QueueWord(kWordAnalyze);
  return c.EndSearch(true);
}

// "playother": the engine plays the side not on move; while pondering it
// already does.
bool PlayotherIdle(Communicator& c, const WordList&) {
  c.EnginePlaysOtherSide();
  if (c.session().ClockMode()) c.session().StartClock(c.session().SideToMove());
  return true;
}
bool PlayotherSearching(Communicator& c, const WordList& words) {
  if (Mode(c) != kModePonder) NotLegalNow(c, words);
  return true;
}

// "usermove MOVE": the move, for interfaces that send the prefix anyway.
bool Usermove(Communicator& c, const WordList& words, CommandState state) {
  if (words.size() < 2)
    c.out().ReplyError("missing move", words);
  else
    c.Handle(WordList(words.begin() + 1, words.end()), state, false);
  return true;
}
bool UsermoveIdle(Communicator& c, const WordList& words) { return Usermove(c, words, CommandState::kIdle); }
bool UsermoveSearching(Communicator& c, const WordList& words) { return Usermove(c, words, CommandState::kSearching); }

// "result R {reason}": the interface ends the game; the engine's search
// ends with it.
bool Result(Communicator& c, const WordList& words) {
  if (words.size() < 3) return false;
  if (c.session().GameOver()) return true;
  const uint32_t result = ResultOfWord(words[1]);
  if (result == kGameRunning) return false;
  c.session().SetResult(result, kReasonUnknown);
  if (c.Status().searchActive) return c.EndSearch(true);
  c.ResetSearchStatus();
  return true;
}

}  // namespace game_commands
