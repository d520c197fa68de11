// Moves sent to the dialogue, while idle and during a search.
#include "board/moves.h"
#include "frontend/command_actions.h"
#include "frontend/communicator.h"
#include "frontend/replies.h"

namespace game_commands {

// A move while idle. A finished analysis or ponder search may be waiting
// for it: the analysis moves on, the ponder result answers the expected
// move at once. Otherwise the engine answers when it is on move now.
void IdleMove(Communicator& c, const WordList& words) {
  const bool pending = c.Status().resultPending;
  Move move = 0;
  try {
    move = c.ReadGameMove(words.front());
    c.MakeGameMove(move);
  } catch (const GameError&) {
    c.out().ReplyUnreadableMove(words);
    return;
  }
  if (c.session().GameOver()) {
    c.PrintResult();
    if (pending) c.LeaveAnalyzeMode();
    return;
  }
  if (!pending) {
    if (c.session().EnginePlays(c.session().SideToMove())) c.RequestSearch(kModeThink, 0);
  } else if (c.AnalyzeMode()) {
    c.RequestSearch(kModeAnalyze, 0);
  } else if (MoveLow21(move) == MoveLow21(c.PonderMove())) {
    c.PlayPonderResult();
  } else {
    c.ResetSearchStatus();
    c.RequestSearch(kModeThink, 0);
  }
}

// A move during a search: while the engine thinks it is not the opponent's
// turn; an analysis goes on from the move; a ponder search goes on as the
// real search after the expected move and gives way to a fresh one after
// any other.
void SearchingMove(Communicator& c, const WordList& words) {
  const int mode = c.Status().parameters.mode;
  Move move = 0;
  try {
    move = c.ReadGameMove(words.front());
  } catch (const GameError&) {
    c.out().ReplyUnreadableMove(words);
    return;
  }
  if (mode == kModeThink) {
    c.out().Reply(c.dialect().NotYourTurn(c.session().NameOf(1 - c.session().SideToMove())));
    return;
  }
  try {
    c.MakeGameMove(move);
  } catch (const GameError&) {
    c.out().Reply(IllegalMoveText("", words));
    return;
  }
  if (c.session().GameOver()) {
    c.PrintResult();
    if (mode == kModeAnalyze) c.LeaveAnalyzeMode();
    c.EndSearch(true);
    return;
  }
  if (mode == kModeAnalyze) {
    c.QueueWord(kWordAnalyze);
    c.EndSearch(true);
    return;
  }
  if (MoveLow21(move) == MoveLow21(c.PonderMove())) {
    c.PonderHit();
    c.ForgetPonderMove();
    return;
  }
  c.RequestSearch(kModeThink, 0);
  c.EndSearch(true);
}

}  // namespace game_commands
