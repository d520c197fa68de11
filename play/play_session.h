// The play mode: a person at a terminal plays a game against Ravok. One
// game session with the person on one side and Ravok on the other, the
// board after every move, moves read in standard notation or coordinates
// with a reason for every refusal, Ravok's thinking as one status line,
// both clocks under a time control, levels of strength, and the commands
// of the play table (play_commands.cpp). Input typed while Ravok thinks is
// answered at once or kept for after its move; nothing is lost.
#pragma once

#include <array>
#include <deque>
#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "base/clock.h"
#include "board/board_picture.h"
#include "board/pgn.h"
#include "play/line_editor.h"
#include "play/play_output.h"
#include "play/play_texts.h"
#include "search/engine.h"
#include "search/search_listener.h"
#include "session/command_table.h"
#include "session/game_session.h"
#include "session/line_input.h"

// How the play mode shows itself, decided at start-up from the terminal
// and the locale.
struct PlayDisplay {
  PieceGlyphs glyphs = PieceGlyphs::kAscii;
  bool terminalOutput = false;  // the thinking is one line rewritten in place
  int columns = 80;
  // The person types at a terminal. Lines that come from no terminal (a
  // pipe, a file) are written back after the prompt and taken one at a
  // time: each waits until the one before is dealt with, a move until
  // Ravok's answer is shown, so that a script plays the game it sends.
  bool terminalInput = false;
  // The person's line is edited as they type (see line_editor.h): both the
  // input and the output are the terminal, and the build has the editor.
  bool lineEditor = false;
};

class PlaySession : public SearchListener {
 public:
  PlaySession(Engine& engine, std::istream& in, int inputDescriptor, std::ostream& out, const PlayDisplay& display,
              ClockSource clock = Now);

  PlaySession(const PlaySession&) = delete;
  PlaySession& operator=(const PlaySession&) = delete;

  // Plays until "quit" or the end of the input.
  void Run();

  // The searches' reports. While Ravok thinks on its move, Poll answers or
  // keeps each line typed at a terminal; while it ponders, a line other
  // than the expected move ends the ponder search and is handled as usual.
  void Poll() override;
  void OnSearchEvent(SearchEvent event, const SearchInfo& info) override;

  // What the commands work on.
  GameSession& session() { return session_; }
  const GameSession& session() const { return session_; }
  PlayOutput& out() { return output_; }
  int You() const { return you_; }
  // Ravok is thinking on its move (not pondering).
  bool RavokThinks() const { return searchKind_ == SearchKind::kThink; }

  // The game as the commands change it. Each shows what became of it.
  void StartGame(int you);
  // A game read from a file or a FEN. The person takes the side the file
  // names like them, else the side that did not play as Ravok, else the
  // side to move; the file's tags are kept for a save, and a finished game
  // is told as its players played it.
  void TakeGame(const PgnReadResult& read, const std::string& from);
  // Takes back the person's last move and Ravok's answer to it (only the
  // person's move while Ravok thinks on it or after it ended the game);
  // false when the person has made no move to take back. After a flag fall
  // it takes back the fall alone, and the game goes on without a clock.
  bool TakeBack();
  // Plays again what the last TakeBack took back; false when nothing.
  bool Replay();
  void SetTimeControl(const std::optional<TimeControl>& control);
  // The game's tags for a saved file.
  PgnTags Tags() const;
  // The moves so far in SAN with their numbers, in lines.
  std::vector<std::string> MoveLines() const;

  // The screen.
  void ShowPosition();
  void ShowBoard();
  std::string ClockLine() const;
  void TurnBoard() { viewSide_ = 1 - viewSide_; }
  void SetGlyphs(PieceGlyphs glyphs) { display_.glyphs = glyphs; }
  void ShowThinking(bool on) { showThinking_ = on; }
  bool ThinkingShown() const { return showThinking_; }

  // A short search of the person's position at full strength: Ravok's
  // suggestion and its score from the person's side; none when the game is
  // over.
  struct Suggestion {
    Move move;
    int score;
  };
  std::optional<Suggestion> SuggestMove();

  // While Ravok thinks on its move: the words wait for the end of its
  // search, kept in the order they came; or the search stops and they run
  // at once (a kept move is dropped then, and the person told so).
  void KeepForAfterMove(const WordList& words);
  [[noreturn]] void StopThinking(const WordList& words);
  void RequestQuit();

  // A line no command took: the person's move, while idle, or a move kept
  // for after Ravok's move.
  void PlayYourMove(const WordList& line, bool kept);
  void KeepMove(const WordList& line);

 private:
  enum class SearchKind { kNone, kThink, kPonder, kShort };
  // A line kept from a search: a move or a command for after Ravok's move,
  // or a command that stopped the search and runs at once.
  enum class KeptKind { kMove, kAfterMove, kNow };
  struct Kept {
    WordList words;
    KeptKind kind;
  };

  void Greet();
  void Handle(const WordList& words, CommandState state);
  void NotUnderstood(const std::string& word);
  static WordList MoveWords(const WordList& words);
  // The person's next line: the prompt, a ponder search while they think,
  // the watch on their clock. Nothing when something else happened first
  // (a flag fell, a ponder hit brought Ravok's move).
  std::optional<std::string> ReadPersonLine();
  // The person's lines, from the line editor or as plain lines.
  bool InputAvailable();
  bool WaitForInput(Milliseconds most);
  std::string ReadInputLine();
  std::string PromptText() const;
  void AnnounceEnd();

  void PlayMove(Move move);
  bool RavokToMove() const;
  void RavokMoves();
  void FinishThinking(bool discard);
  bool AnswerDrawOffer(int score);
  bool CanPonder() const;
  void Ponder();
  void PollWhileThinking();
  void PollWhilePondering();
  void PonderHit(Move move);
  void ReportThinking(const SearchInfo& info);
  Milliseconds ClockReading(int side) const;

  Engine& engine_;
  GameSession session_;
  LineReader input_;
  PlayDisplay display_;
  PlayOutput output_;
  std::unique_ptr<LineEditor> editor_;
  ClockSource clock_;
  int you_ = kWhite;
  Players players_;                       // who played each side, as the result names them
  std::array<std::string, 2> names_;      // the White and Black tags of a saved game
  PgnTags loadedTags_;                    // the loaded file's tags; the defaults for a new game
  bool fileResult_ = false;               // the game ended as the loaded file says
  int viewSide_ = kWhite;
  bool showThinking_ = true;
  bool quit_ = false;
  bool inputEnded_ = false;  // the input ended while Ravok thought: its move comes first
  bool endAnnounced_ = false;
  int firstMoveNumber_ = 1;
  SearchKind searchKind_ = SearchKind::kNone;
  GamePosition searchRoot_;                // the position Ravok's thinking starts from
  Move ponderMove_ = 0;                    // the reply Ravok expects to its last move
  std::optional<std::string> ponderLine_;  // the line that ended a ponder search
  std::deque<Kept> kept_;
  std::vector<Move> redo_;  // the moves the last TakeBack took back, the first last
};
