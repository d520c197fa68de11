// The play mode's loop and screen: the lines kept during Ravok's searches,
// Ravok's moves, the person's lines with the prompt, the board after every
// move, and the changes of the game that the commands share.
#include "play/play_session.h"

#include <ctime>

#include "base/end_of_input.h"
#include "base/platform.h"
#include "board/move_advice.h"
#include "board/moves.h"
#include "board/san.h"
#include "play/levels.h"
#include "play/play_commands.h"
#include "play/play_texts.h"
#include "session/options.h"
#include "session/string_utils.h"

namespace {

// Move lists are filled into lines of this width.
constexpr size_t kMoveLineWidth = 78;
// How often the person's running clock is looked at while they think.
constexpr Milliseconds kFlagWatch = 100;
// The most of a player's name from a file that a sentence shows.
constexpr size_t kLongestPlayerName = 60;
// Ravok's hard limit a move without a clock.
constexpr Milliseconds kLongestThinkWithoutClock = 10000;

std::string SideName(int side) { return side == kWhite ? "White" : "Black"; }

// The person's name in a saved game: the login name, else "You".
std::string PersonName() {
  const std::string user = LoginName();
  return !user.empty() ? user : "You";
}

// The names a game file may give the person.
std::vector<std::string> PersonNames() {
  std::vector<std::string> names = {"You"};
  for (std::string& name : AccountNames()) names.push_back(std::move(name));
  return names;
}

bool EndedOnTime(const GamePosition& p) {
  return p.result != kGameRunning && (p.reason == kReasonLossOnTime || p.reason == kReasonTimeoutDraw);
}

// A player's name that a file gives, not PGN's "?" for unknown.
bool NameGiven(const std::string& name) { return name.find_first_not_of(" ?") != std::string::npos; }

}  // namespace

PlaySession::PlaySession(Engine& engine, std::istream& in, int inputDescriptor, std::ostream& out,
                         const PlayDisplay& display, ClockSource clock)
    : engine_(engine),
      session_(clock),
      input_(in, inputDescriptor),
      display_(display),
      output_(out, display.terminalOutput, display.columns, !display.terminalInput),
      clock_(clock),
      runner_(engine, *this, *this, clock) {
  if (display.lineEditor) editor_ = MakeLineEditor(inputDescriptor, out, display.columns);
  output_.UseEditor(editor_.get());
  // The console's starting settings, with the clock spent by the increment
  // rule (a person's game rarely has periods, and the rule spends an
  // increment as people do), the selective search and the tuned evaluation
  // at full strength and no depth limit: without a clock Ravok thinks about
  // three seconds a move, never more than ten.
  StartOptions(OptionHost{engine_, session_.Settings()}, Dialogue::kConsoleXboard);
  SessionSettings& settings = session_.Settings();
  settings.timeRule = TimeRule::kIncrement;
  settings.search = SearchStyle::kSelective;
  settings.evaluation = EvaluationSet::kTuned;
  settings.depth = 0;
  settings.absoluteTime = kLongestThinkWithoutClock;
  session_.SetEngineSide(1 - you_);
  players_ = PersonAgainstRavok(you_);
  names_[you_] = PersonName();
  names_[1 - you_] = EngineName();
}

void PlaySession::Run() {
  Greet();
  ShowPosition();
  try {
    while (!quit_) {
      if (runner_.HasKept() && (runner_.NextKept().kind == KeptKind::kFirst || !RavokToMove())) {
        const KeptLine kept = runner_.TakeKept();
        if (kept.kind == KeptKind::kMove)
          PlayYourMove(kept.words, true);
        else
          Handle(kept.words, CommandState::kIdle);
      } else if (session_.GameOver() && !endAnnounced_) {
        AnnounceEnd();
      } else if (RavokToMove()) {
        RavokMoves();
      } else if (const std::optional<std::string> line = ReadPersonLine()) {
        Handle(TokenizeAtBlanksAndTabs(*line), CommandState::kIdle);
      }
    }
  } catch (const end_of_input&) {
    // The person has closed the input (Ctrl-D): the session ends as after
    // quit.
  }
  output_.Close();
}

void PlaySession::Greet() {
  output_.Line("You play " + SideName(you_) + " against " + EngineName() + " at " +
               LevelName(LevelOf(session_.settings())) + ", without a clock.");
  output_.Line("Type your moves as e4, Nf3, O-O or e2e4; help lists the commands (level, time, undo, save...).");
}

void PlaySession::Handle(const WordList& words, CommandState state) {
  if (words.empty()) {
    output_.Line(state == CommandState::kIdle
                     ? "Type a move, or help for the commands."
                     : EngineName() + " is thinking: a move typed now is kept for after its move.");
    return;
  }
  WordList command = words;
  command.front() = Lowered(command.front());
  if (RunCommand(PlayCommands(), *this, command, state)) return;
  if (state == CommandState::kIdle)
    PlayYourMove(words, false);
  else
    KeepMove(words);
}

// A word that is no command and no move: a misspelt move when it starts as
// moves do (a piece letter, castling, a file with a rank or a capture
// after it) or holds a digit, else an unknown command.
void PlaySession::NotUnderstood(const std::string& word) {
  const char first = word.front();
  const bool moveStart = std::string("KQRBNO0").find(first) != std::string::npos ||
                         (first >= 'a' && first <= 'h' && (word.size() == 1 || word[1] == 'x'));
  if (moveStart || word.find_first_of("0123456789") != std::string::npos || word.rfind("o-", 0) == 0)
    output_.Line("Not a move: " + ShownWord(word) +
                 ". Moves are written e4, Nf3, exd5, O-O, e8=Q or e2e4 (piece letters K Q R B N in capitals).");
  else
    output_.Line("Unknown command: " + ShownWord(word) + ". Type help for the commands.");
}

// A capture may carry its en-passant mark as a word of its own: "exf6 e.p.".
WordList PlaySession::MoveWords(const WordList& words) {
  if (words.size() == 2 && IsEnPassantMark(words[1])) return {words[0] + words[1]};
  return words;
}

void PlaySession::PlayYourMove(const WordList& line, bool kept) {
  const WordList words = MoveWords(line);
  const GamePosition& position = session_.game().currentPosition;
  const TypedMove typed = ReadForgivingMove(position, words.front());
  const std::string word = ShownWord(words.front());
  if (typed.problem == MoveProblem::kNotAMove) return NotUnderstood(words.front());
  if (words.size() > 1) return output_.Line("One move at a time, please: " + word + " is followed by more.");
  const std::string prefix = kept ? "Your kept move " + word + " is not played: " : "";
  switch (typed.problem) {
    case MoveProblem::kNone: break;
    case MoveProblem::kGameOver:
      return output_.Line(prefix.empty() ? "The game is over: new starts another, undo takes moves back."
                                         : prefix + "the game is over.");
    case MoveProblem::kAmbiguous:
      return output_.Line((prefix.empty() ? "Ambiguous move " + word + ": " : prefix + "it is ambiguous: ") +
                          typed.message);
    case MoveProblem::kPromotionPieceMissing:
      return output_.Line((prefix.empty() ? "Incomplete move " + word + ": " : prefix) + typed.message + ".");
    default: return output_.Line((prefix.empty() ? "Illegal move " + word + ": " : prefix) + typed.message + ".");
  }
  if (kept) output_.Line("Your kept move: " + SanMoveText(position, typed.move) + ".");
  PlayMove(typed.move);
  if (session_.GameOver()) ShowPosition();
}

void PlaySession::KeepMove(const WordList& line) {
  const WordList words = MoveWords(line);
  if (ReadForgivingMove(session_.game().currentPosition, words.front()).problem == MoveProblem::kNotAMove)
    return NotUnderstood(words.front());
  if (words.size() > 1)
    return output_.Line("One move at a time, please: " + ShownWord(words.front()) + " is followed by more.");
  std::string replaced;
  if (const std::optional<WordList> earlier = runner_.WithdrawKeptMove())
    replaced = " instead of " + ShownWord(earlier->front());
  runner_.Keep(words, KeptKind::kMove);
  output_.Line("Kept " + ShownWord(words.front()) + replaced + ": played after " + EngineName() +
               "'s move if it is legal then.");
}

void PlaySession::KeepForAfterMove(const WordList& words) {
  runner_.Keep(words);
  std::string text;
  for (const std::string& word : words) {
    if (!text.empty()) text += ' ';
    text += ShownWord(word);
  }
  output_.Line("Kept: " + text + ", done after " + EngineName() + "'s move.");
}

bool PlaySession::StopThinking(const WordList& words) {
  if (const std::optional<WordList> move = runner_.WithdrawKeptMove())
    output_.Line("Your kept move " + ShownWord(move->front()) + " is dropped.");
  runner_.Keep(words, KeptKind::kFirst);
  runner_.Stop(false);
  return true;
}

void PlaySession::RequestQuit() {
  quit_ = true;
  runner_.Stop(false);
}

// The person's line. Their clock is watched while they think; at full
// strength Ravok ponders meanwhile.
std::optional<std::string> PlaySession::ReadPersonLine() {
  if (runner_.InputEnded()) throw end_of_input();
  output_.Prompt(PromptText());
  if (CanPonder()) {
    const size_t moves = session_.game().moves.size();
    Ponder();
    // A line ended the ponder search, a ponder hit brought Ravok's move, or
    // the person's flag fell.
    if (runner_.HasKept() || session_.GameOver() || session_.game().moves.size() != moves) return std::nullopt;
  }
  for (;;) {
    const bool clockRuns = session_.ClockMode() && !session_.GameOver();
    if (WaitForInput(clockRuns ? kFlagWatch : -1)) return ReadLine();
    if (session_.FlagFalls()) return std::nullopt;
  }
}

bool PlaySession::InputAvailable() { return editor_ ? editor_->InputAvailable() : input_.InputAvailable(); }

bool PlaySession::WaitForInput(Milliseconds most) {
  return editor_ ? editor_->WaitForInput(most) : input_.WaitForInput(most);
}

std::string PlaySession::ReadLine() {
  std::string line = editor_ ? editor_->ReadLine() : input_.ReadLine();
  output_.InputRead(line);
  return line;
}

std::string PlaySession::PromptText() const { return session_.GameOver() ? "> " : "Your move> "; }

void PlaySession::AnnounceEnd() {
  session_.StopClocks();
  endAnnounced_ = true;
  output_.Line(ResultSentence(session_.game().currentPosition, players_));
}

// The game as the commands change it.

// A new move makes the game the person's against Ravok, whoever played it
// before.
void PlaySession::PlayMove(Move move) {
  session_.PlayMove(move, true);
  redo_.clear();
  players_ = PersonAgainstRavok(you_);
  fileResult_ = false;
}

bool PlaySession::RavokToMove() const { return !session_.GameOver() && session_.SideToMove() != you_; }

void PlaySession::StartGame(int you, std::optional<int> chess960Start) {
  you_ = viewSide_ = you;
  session_.NewGame();
  if (chess960Start) session_.SetUpPosition(GamePosition::Chess960Start(*chess960Start));
  session_.Settings().strengthSeed = FreshStrengthSeed();
  session_.SetEngineSide(1 - you);
  engine_.NewGame();
  if (session_.ClockMode()) session_.StartClock(session_.SideToMove());
  redo_.clear();
  ponderMove_ = 0;
  endAnnounced_ = false;
  firstMoveNumber_ = 1;
  players_ = PersonAgainstRavok(you);
  names_[you] = PersonName();
  names_[1 - you] = EngineName();
  loadedTags_ = PgnTags{};
  fileResult_ = false;
  const std::string kind = chess960Start ? "New Chess960 game, start " + std::to_string(*chess960Start) : "New game";
  output_.Line(kind + ": you play " + SideName(you) + " against " + EngineName() + " at " +
               LevelName(LevelOf(session_.settings())) + ".");
  ShowPosition();
}

void PlaySession::TakeGame(const PgnReadResult& read, const std::string& from) {
  const PgnTags& tags = read.tags;
  const std::string given[2] = {tags.white, tags.black};
  const GamePosition& end = read.game.currentPosition;
  const SideChoice choice = ChooseSide(tags.white, tags.black, end.sideToMove, PersonNames());
  you_ = viewSide_ = choice.side;
  session_.ReplaceGame(read.game);
  session_.Settings().strengthSeed = FreshStrengthSeed();
  session_.SetEngineSide(1 - you_);
  if (session_.ClockMode()) session_.StartClock(session_.SideToMove());
  redo_.clear();
  ponderMove_ = 0;
  endAnnounced_ = false;
  firstMoveNumber_ = tags.firstMoveNumber;
  loadedTags_ = tags;
  names_[you_] = NameGiven(given[you_]) ? given[you_] : PersonName();
  names_[1 - you_] = NameGiven(given[1 - you_]) ? given[1 - you_] : EngineName();
  // Ravok plays on from here; a game that is over stays its players'.
  players_ = PersonAgainstRavok(you_);
  fileResult_ = end.result != kGameRunning;
  if (end.result != kGameRunning) {
    for (const int side : {kWhite, kBlack})
      players_[side] = NameGiven(given[side]) ? Printable(given[side], kLongestPlayerName) : SideName(side);
    if (choice.why != SideChoice::Why::kToMove) players_[you_].clear();
  }
  std::string why = ", the side to move";
  if (choice.why == SideChoice::Why::kNamed)
    why = ", named " + Printable(given[you_], kLongestPlayerName) + " in the file";
  if (choice.why == SideChoice::Why::kAgainstRavok) why = ", against " + EngineName() + " as in the file";
  const size_t moves = read.game.moves.size();
  output_.Line("Loaded " + from + ": " + std::to_string(moves) + (moves == 1 ? " move" : " moves") + "; you play " +
               SideName(you_) + why + ".");
  ShowPosition();
}

bool PlaySession::TakeBack() {
  const Game& game = session_.game();
  if (EndedOnTime(game.currentPosition)) {
    const bool yours = session_.SideToMove() == you_;
    session_.SetResult(kGameRunning, kReasonUnknown);
    SetTimeControl(std::nullopt);
    endAnnounced_ = false;
    output_.Line("Took back the fall of " + (yours ? std::string("your") : EngineName() + "'s") +
                 " flag: the game goes on without a clock (time sets one).");
    ShowPosition();
    return true;
  }
  // The person's own move, and Ravok's answer when there is one.
  const size_t plies = session_.SideToMove() == you_ ? 2 : 1;
  if (game.moves.size() < plies) return false;
  std::vector<Move> taken;
  for (size_t i = 0; i < plies; ++i) {
    taken.push_back(game.moves.back());
    session_.TakeBack();
  }
  redo_ = taken;
  ponderMove_ = 0;
  endAnnounced_ = false;
  players_ = PersonAgainstRavok(you_);
  fileResult_ = false;
  output_.Line("Took back " + SanLine(game.currentPosition, std::vector<Move>(taken.rbegin(), taken.rend())) + ".");
  ShowPosition();
  return true;
}

bool PlaySession::Replay() {
  if (redo_.empty()) return false;
  const std::vector<Move> moves(redo_.rbegin(), redo_.rend());
  output_.Line("Played again: " + SanLine(session_.game().currentPosition, moves) + ".");
  for (const Move move : moves) session_.PlayMove(move, false);
  session_.RunClockOfSideToMove();
  redo_.clear();
  ShowPosition();
  return true;
}

void PlaySession::SetTimeControl(const std::optional<TimeControl>& control) {
  if (!control) {
    session_.ClearTimeControl();
    return;
  }
  session_.SetTimeControl(*control);
  if (session_.GameOver()) session_.StopClocks();
}

// Ravok's own tags, and where the game came from a file, the file's: its
// event, site, date, round and players, its time control where no clock
// runs now, and the other tags it had, but for a stale ply count and a
// termination that no longer holds. A flag fall is a time forfeit.
PgnTags PlaySession::Tags() const {
  std::string host = MachineName();
  if (host.empty()) host = "?";
  const time_t now = time(nullptr);
  char date[16] = "????.??.??";
  strftime(date, sizeof date, "%Y.%m.%d", localtime(&now));
  PgnTags tags{.event = EngineName() + " game",
               .site = host,
               .date = date,
               .round = std::string(1, '-'),
               .white = names_[kWhite],
               .black = names_[kBlack],
               .timeControl = PgnTimeControl(session_.timeControl(), session_.ClockMode()),
               .others = {},
               .firstMoveNumber = firstMoveNumber_};
  const PgnTags unset;
  const PgnTags& file = loadedTags_;
  if (file.event != unset.event) tags.event = file.event;
  if (file.site != unset.site) tags.site = file.site;
  if (file.date != unset.date) tags.date = file.date;
  if (file.round != unset.round) tags.round = file.round;
  if (!session_.ClockMode() && file.timeControl != unset.timeControl) tags.timeControl = file.timeControl;
  for (const auto& tag : file.others)
    if (tag.first != "PlyCount" && (tag.first != "Termination" || fileResult_)) tags.others.push_back(tag);
  if (EndedOnTime(session_.game().currentPosition)) tags.others.emplace_back("Termination", "time forfeit");
  return tags;
}

// The screen.

void PlaySession::ShowBoard() {
  const Game& game = session_.game();
  output_.Line("");
  output_.Lines(
      BoardPicture(game.currentPosition, viewSide_, game.moves.empty() ? 0 : game.moves.back(), display_.glyphs));
  output_.Line("");
}

std::vector<std::string> PlaySession::MoveLines() const {
  return NumberedMoveLines(session_.game(), firstMoveNumber_, kMoveLineWidth);
}

void PlaySession::ShowPosition() {
  ShowBoard();
  output_.Lines(MoveLines());
  if (session_.GameOver()) {
    AnnounceEnd();
  } else {
    const int side = session_.SideToMove();
    output_.Line(SideName(side) + " to move (" + (side == you_ ? "you" : EngineName()) + ").");
  }
  if (session_.ClockMode()) output_.Line(ClockLine());
}

Milliseconds PlaySession::ClockReading(int side) const {
  const PlayerClock& clock = session_.Clock(side);
  return clock.running ? clock.remaining - (clock_() - clock.runStart) : clock.remaining;
}

std::string PlaySession::ClockLine() const {
  if (!session_.ClockMode()) return "No clock: time 5+3 sets five minutes each and three seconds a move.";
  return "Clocks (" + TimeControlText(session_.timeControl()) + "): you " + ClockText(ClockReading(you_)) + ", " +
         EngineName() + " " + ClockText(ClockReading(1 - you_)) + ".";
}
