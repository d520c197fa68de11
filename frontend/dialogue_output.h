// What the console and xboard dialogue writes: whole-line replies (during a
// search each starts on a line of its own, after the markers the search
// left open), the result and the board, the prompt, and the search's
// reports as the dialect shows them.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "frontend/dialect.h"
#include "frontend/output_tracking.h"
#include "search/engine.h"
#include "search/search_listener.h"

// The running or last search as the dialogue sees it.
struct SearchStatus {
  bool searchActive = false;     // the search driver is running
  SearchParameters parameters;   // handed to the driver
  bool resultPending = false;    // an analysis or ponder search ended by itself
  std::string ownMoveText;       // "invalid move" = none
  std::string expectedMoveText;  // "invalid move" = none
};

class DialogueOutput {
 public:
  // Writes to `out`; `engine` tells whether a search runs, `dialect` how to
  // say things.
  DialogueOutput(std::ostream& out, const Engine& engine, const Dialect& dialect)
      : output_(out), engine_(engine), dialect_(dialect) {}

  std::ostream& Stream() { return output_.Stream(); }
  bool MidLine() const { return output_.MidLine(); }
  void WriteLine(const std::string& line);
  // Before anything that is not a whole line of its own making: while a
  // search runs, a line that the search's markers left open is ended.
  void BeginReply();

  // Replies: each a whole line, flushed. An empty optional says nothing.
  void Reply(const std::string& line);
  void Reply(const std::optional<std::string>& line);
  void ReplyError(const std::string& reason, const std::vector<std::string>& words);
  // A first word that is neither a command nor a legal move.
  void ReplyUnreadableMove(const std::vector<std::string>& words);
  void PrintResult(const Game& game);
  void DisplayBoard(const GamePosition& position);
  // "white 1> ": the side to move and the move number.
  void PrintPrompt(const Game& game);

  // The search's reports: headers, markers and candidates where the
  // dialect shows the search's progress (a ponder search's header names the
  // move it ponders on), the thinking line as the dialect has it.
  // `chess960`: the game's castling is written "O-O", "O-O-O".
  void ReportSearchEvent(SearchEvent event, const SearchInfo& info, bool post, const SearchStatus& status,
                         bool chess960);
  // The "stat01: " line of a running or finished search.
  void PrintAnalysisStatus();

 private:
  void PrintMarker(const char* text);
  void PrintIterationHeader(const SearchInfo& info, const SearchStatus& status);

  TrackedOutput output_;
  const Engine& engine_;
  const Dialect& dialect_;
};
