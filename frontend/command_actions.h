// The actions of the command table (frontend/commands.cpp) that change the
// game, the sides or the mode, each as it runs while idle and during a
// search (game_commands.cpp). During a search an action that changes the
// game ends the search (once it is done) and leaves the idle loop what it
// has to finish.
#pragma once

#include "session/command_table.h"

class Communicator;

namespace game_commands {

bool MoveNowIdle(Communicator& c, const WordList& words);
bool MoveNowSearching(Communicator& c, const WordList& words);
bool AnalyzeIdle(Communicator& c, const WordList& words);
bool AnalyzeSearching(Communicator& c, const WordList& words);
bool SideIdle(Communicator& c, const WordList& words);
bool SideSearching(Communicator& c, const WordList& words);
bool EditIdle(Communicator& c, const WordList& words);
bool EditSearching(Communicator& c, const WordList& words);
bool QuitIdle(Communicator& c, const WordList& words);
bool QuitSearching(Communicator& c, const WordList& words);
bool ExitIdle(Communicator& c, const WordList& words);
bool ExitSearching(Communicator& c, const WordList& words);
bool ForceIdle(Communicator& c, const WordList& words);
bool ForceSearching(Communicator& c, const WordList& words);
bool GoIdle(Communicator& c, const WordList& words);
bool GoSearching(Communicator& c, const WordList& words);
bool NewIdle(Communicator& c, const WordList& words);
bool NewSearching(Communicator& c, const WordList& words);
bool VariantIdle(Communicator& c, const WordList& words);
bool VariantSearching(Communicator& c, const WordList& words);
bool TakeBackIdle(Communicator& c, const WordList& words);
bool TakeBackSearching(Communicator& c, const WordList& words);
bool SetboardIdle(Communicator& c, const WordList& words);
bool SetboardSearching(Communicator& c, const WordList& words);
bool RemoveIdle(Communicator& c, const WordList& words);
bool RemoveSearching(Communicator& c, const WordList& words);
bool PlayotherIdle(Communicator& c, const WordList& words);
bool PlayotherSearching(Communicator& c, const WordList& words);
bool UsermoveIdle(Communicator& c, const WordList& words);
bool UsermoveSearching(Communicator& c, const WordList& words);
bool Result(Communicator& c, const WordList& words);

// A line that no command took: a move to play, while idle or during a
// search, or else the reply to an unreadable word (move_commands.cpp).
void IdleMove(Communicator& c, const WordList& words);
void SearchingMove(Communicator& c, const WordList& words);

}  // namespace game_commands
