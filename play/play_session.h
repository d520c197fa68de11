// The play mode: a person at a terminal plays a game against Ravok. One
// game session with the person on one side and Ravok on the other, the
// board after every move, moves read in standard notation or coordinates
// with a reason for every refusal, Ravok's thinking as one status line,
// both clocks under a time control, levels of strength, and the commands
// of the play table (play_commands.cpp). Input typed while Ravok thinks is
// answered at once or kept for after its move; nothing is lost.
#pragma once

#include <array>
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
#include "session/command_table.h"
#include "session/game_session.h"
#include "session/line_input.h"
#include "session/search_runner.h"

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

// The session is the dialogue of its search runner and, with or without
// the line editor, the source of the lines the runner reads.
class PlaySession : public SearchDialogue, public LineSource {
 public:
  PlaySession(Engine& engine, std::istream& in, int inputDescriptor, std::ostream& out, const PlayDisplay& display,
              ClockSource clock = Now);

  PlaySession(const PlaySession&) = delete;
  PlaySession& operator=(const PlaySession&) = delete;

  // Plays until "quit" or the end of the input.
  void Run();

  // What the runner of its searches asks of the session (play_search.cpp):
  // a fallen flag ends the game and the search; while Ravok thinks on its
  // move each line typed at a terminal is answered or kept (see the
  // command table), while it ponders a line other than the expected move
  // ends the ponder search and is handled first after it; the thinking
  // line.
  void OnPoll() override;
  void AnswerDuringSearch(const std::string& line) override;
  bool Listens() const override;
  bool SearchesOnAtEndOfInput() const override { return searchKind_ == SearchKind::kThink; }
  void Report(SearchEvent event, const SearchInfo& info) override;

  // The person's lines, from the line editor or as plain lines; a line
  // read is written back where the output wants it.
  bool InputAvailable() override;
  std::string ReadLine() override;

  // What the commands work on.
  GameSession& session() { return session_; }
  const GameSession& session() const { return session_; }
  PlayOutput& out() { return output_; }
  int You() const { return you_; }
  // Ravok is thinking on its move (not pondering).
  bool RavokThinks() const { return searchKind_ == SearchKind::kThink; }

  // The game as the commands change it. Each shows what became of it.
  // A game from the initial position, or from Chess960 start number
  // `chess960Start` (0 to 959).
  void StartGame(int you, std::optional<int> chess960Start = std::nullopt);
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
  // over. SuggestMoves: the `count` best moves, best first (fewer when the
  // position has fewer, or when the short search ends before it has found
  // them all).
  struct Suggestion {
    Move move;
    int score;
  };
  std::optional<Suggestion> SuggestMove();
  std::vector<Suggestion> SuggestMoves(int count);

  // While Ravok thinks on its move: the words wait for the end of its
  // search, kept in the order they came; or the search stops and they run
  // at once (a kept move is dropped then, and the person told so).
  void KeepForAfterMove(const WordList& words);
  bool StopThinking(const WordList& words);
  void RequestQuit();

  // A line no command took: the person's move, while idle, or a move kept
  // for after Ravok's move.
  void PlayYourMove(const WordList& line, bool kept);
  void KeepMove(const WordList& line);

 private:
  enum class SearchKind { kNone, kThink, kPonder, kShort };

  void Greet();
  void Handle(const WordList& words, CommandState state);
  void NotUnderstood(const std::string& word);
  static WordList MoveWords(const WordList& words);
  // The person's next line: the prompt, a ponder search while they think,
  // the watch on their clock. Nothing when something else happened first
  // (a flag fell, a ponder hit brought Ravok's move, a line ended the ponder
  // search and is kept to come first).
  std::optional<std::string> ReadPersonLine();
  bool WaitForInput(Milliseconds most);
  std::string PromptText() const;
  void AnnounceEnd();

  void PlayMove(Move move);
  bool RavokToMove() const;
  void RavokMoves();
  void FinishThinking(bool discard);
  bool AnswerDrawOffer(int score);
  bool CanPonder() const;
  void Ponder();
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
  bool endAnnounced_ = false;
  int firstMoveNumber_ = 1;
  SearchKind searchKind_ = SearchKind::kNone;
  GamePosition searchRoot_;  // the position Ravok's thinking starts from
  Move ponderMove_ = 0;      // the reply Ravok expects to its last move
  std::vector<Move> redo_;   // the moves the last TakeBack took back, the first last
  // The searches, the lines kept during them, and whether the input ended
  // while Ravok thought (its move comes first).
  SearchRunner runner_;
};
