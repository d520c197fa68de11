// The play mode's commands. Each one that cannot use its words says what is
// wrong and leaves the game as it was.
#include "play/play_commands.h"

#include <algorithm>

#include "board/game_file.h"
#include "board/move_advice.h"
#include "board/san.h"
#include "play/levels.h"
#include "play/play_session.h"
#include "play/play_texts.h"
#include "session/options.h"
#include "session/string_utils.h"

namespace {

using Words = const WordList&;

// The most of a file name or a reader's message written back.
constexpr size_t kLongestName = 300;

// The text with a full stop at its end, whether it had one or not.
std::string Sentence(const std::string& text) { return !text.empty() && text.back() == '.' ? text : text + "."; }

bool Say(PlaySession& p, const std::string& text) {
  p.out().Line(text);
  return true;
}

// True for a command given alone; otherwise says so.
bool Alone(PlaySession& p, Words words) {
  if (words.size() == 1) return true;
  Say(p, words.front() + " takes nothing after it: help lists the commands.");
  return false;
}

// The words after the command, joined by single blanks: a file name or a
// FEN.
std::string Rest(Words words) {
  std::string text;
  for (size_t i = 1; i < words.size(); ++i) {
    if (i > 1) text += ' ';
    text += words[i];
  }
  return text;
}

// "on" / "off" after the command; nothing for anything else.
std::optional<bool> OnOrOff(Words words) {
  if (words.size() != 2) return std::nullopt;
  const std::string word = Lowered(words[1]);
  if (word == "on") return true;
  if (word == "off") return false;
  return std::nullopt;
}

// While Ravok thinks: the search stops and the command runs at once.
bool StopFirst(PlaySession& p, Words words) { return p.StopThinking(words); }
// While Ravok thinks: the command runs after its move.
bool AfterMove(PlaySession& p, Words words) {
  p.KeepForAfterMove(words);
  return true;
}

// "new [white|black] [960 [N]]": Chess960 from start N (0 to 959, 518 the
// usual start), or from a start drawn at random.
bool New(PlaySession& p, Words words) {
  std::vector<std::string> rest(words.begin() + 1, words.end());
  std::optional<int> chess960Start;
  const auto chess960 = std::find(rest.begin(), rest.end(), "960");
  if (chess960 != rest.end()) {
    const auto number = chess960 + 1;
    if (number == rest.end() || (Lowered(*number) == "white" || Lowered(*number) == "black")) {
      chess960Start = int(FreshStrengthSeed() % 960);
    } else {
      const std::optional<int64_t> n = ReadWholeNumber(*number);
      if (!n || *n < 0 || *n > 959)
        return Say(p, "new 960 takes a start number from 0 to 959 (518 is the usual start), or none for a random "
                      "one: new 960 518.");
      chess960Start = int(*n);
      rest.erase(number);
    }
    rest.erase(chess960);
  }
  const std::string side = rest.size() == 1 ? Lowered(rest[0]) : "white";
  if (rest.size() > 1 || (side != "white" && side != "black"))
    return Say(p, "new takes white or black: new black lets " + EngineName() + " move first.");
  p.StartGame(side == "white" ? kWhite : kBlack, chess960Start);
  return true;
}

bool Undo(PlaySession& p, Words words) {
  if (Alone(p, words) && !p.TakeBack()) Say(p, "Nothing to take back: you have made no move yet.");
  return true;
}

bool Redo(PlaySession& p, Words words) {
  if (Alone(p, words) && !p.Replay()) Say(p, "Nothing to play again: redo replays what undo took back.");
  return true;
}

// "hint" or "hint N": the best move, or the N best, each with its score.
bool Hint(PlaySession& p, Words words) {
  constexpr int64_t kMostHints = 10;
  const std::optional<int64_t> count = words.size() == 2 ? ReadWholeNumber(words[1]) : std::optional<int64_t>(1);
  if (words.size() > 2 || !count || *count < 1 || *count > kMostHints)
    return Say(p, "hint takes a number from 1 to " + std::to_string(kMostHints) +
                      " after it: hint 3 shows the three best moves.");
  const GamePosition position = p.session().game().currentPosition;
  const std::vector<PlaySession::Suggestion> suggestions = p.SuggestMoves(int(*count));
  if (suggestions.empty()) return Say(p, "The game is over: there is nothing to suggest.");
  std::string text = suggestions.size() == 1 ? "Hint: " : "Hints: ";
  for (size_t i = 0; i < suggestions.size(); ++i)
    text += (i == 0 ? "" : ", ") + SanMoveText(position, suggestions[i].move) + " (" +
            PersonScoreText(suggestions[i].score) + ")";
  return Say(p, text + ".");
}

bool Flip(PlaySession& p, Words words) {
  if (!Alone(p, words)) return true;
  p.TurnBoard();
  p.ShowBoard();
  return true;
}

bool Board(PlaySession& p, Words words) {
  if (words.size() == 1) {
    p.ShowPosition();
    return true;
  }
  const std::string form = words.size() == 2 ? Lowered(words[1]) : "";
  if (form != "unicode" && form != "ascii") return Say(p, "board takes unicode or ascii: board ascii shows letters.");
  p.SetGlyphs(form == "unicode" ? PieceGlyphs::kUnicode : PieceGlyphs::kAscii);
  p.ShowBoard();
  return true;
}

bool Moves(PlaySession& p, Words words) {
  if (!Alone(p, words)) return true;
  const std::vector<std::string> lines = p.MoveLines();
  if (lines.empty()) return Say(p, "No moves yet.");
  p.out().Lines(lines);
  return true;
}

bool Think(PlaySession& p, Words words) {
  const std::optional<bool> on = words.size() == 1 ? std::optional<bool>(p.ThinkingShown()) : OnOrOff(words);
  if (!on) return Say(p, "think takes on or off.");
  p.ShowThinking(*on);
  return Say(p, *on ? EngineName() + "'s thinking is shown." : EngineName() + "'s thinking is hidden.");
}

bool Ponder(PlaySession& p, Words words) {
  SessionSettings& settings = p.session().Settings();
  const std::optional<bool> on = words.size() == 1 ? std::optional<bool>(settings.ponder) : OnOrOff(words);
  if (!on) return Say(p, "ponder takes on or off.");
  settings.ponder = *on;
  return Say(p, *on ? EngineName() + " thinks on your time at full strength."
                    : EngineName() + " does not think on your time.");
}

bool Level(PlaySession& p, Words words) {
  SessionSettings& settings = p.session().Settings();
  if (words.size() == 1) {
    Say(p, "Levels (level N chooses one; * marks " + EngineName() + "'s):");
    p.out().Lines(LevelLines(LevelOf(settings)));
    return true;
  }
  const std::optional<int> level = words.size() == 2 ? ReadLevel(Lowered(words[1])) : std::nullopt;
  if (!level)
    return Say(p, "There is no level " + ShownWord(Rest(words)) + ": the levels are 1 to " +
                      std::to_string(FullLevel()) + " (or full); level alone lists them.");
  SetLevel(settings, *level);
  return Say(p, EngineName() + " plays at " + LevelName(*level) + " from its next move.");
}

// "time": the control in words; "time off", "time BASE+INC". While Ravok
// thinks a valid control waits for its move.
bool Time(PlaySession& p, Words words, bool thinking) {
  if (words.size() == 1) return Say(p, p.ClockLine());
  if (words.size() == 2 && Lowered(words[1]) == "off") {
    if (thinking) return AfterMove(p, words);
    p.SetTimeControl(std::nullopt);
    return Say(p, "No clock from now on.");
  }
  std::string problem = "write it as minutes+seconds: time 5+3 or time 0:30+1";
  const std::optional<TimeControl> control = words.size() == 2 ? ReadTimeControlText(words[1], problem) : std::nullopt;
  if (!control) return Say(p, "Cannot read the time control " + ShownWord(Rest(words)) + ": " + problem + ".");
  if (thinking) return AfterMove(p, words);
  p.SetTimeControl(control);
  return Say(
      p, "Time control " + TimeControlText(*control) + ": both clocks start at " + ClockText(control->baseTime) + ".");
}
bool TimeIdle(PlaySession& p, Words words) { return Time(p, words, false); }
bool TimeThinking(PlaySession& p, Words words) { return Time(p, words, true); }

bool Clock(PlaySession& p, Words words) { return !Alone(p, words) || Say(p, p.ClockLine()); }

bool Resign(PlaySession& p, Words words) {
  if (!Alone(p, words)) return true;
  GameSession& session = p.session();
  if (session.GameOver()) return Say(p, "The game is over already.");
  session.SetResult(p.You() == kWhite ? kBlackWins : kWhiteWins, kReasonResignation);
  return true;
}

// The offer is weighed by a short search: Ravok takes it where it would
// take the console's offer.
bool Draw(PlaySession& p, Words words) {
  if (!Alone(p, words)) return true;
  GameSession& session = p.session();
  const int margin = DrawMargin(session.game().currentPosition);
  const std::optional<PlaySession::Suggestion> suggestion = p.SuggestMove();
  if (!suggestion) return Say(p, "The game is over already.");
  if (!session.AcceptsDraw(-suggestion->score, margin))
    return Say(p, EngineName() + " declines your draw offer: play on.");
  Say(p, EngineName() + " accepts your draw offer.");
  session.SetResult(kGameDrawn, kReasonAgreement);
  return true;
}
bool DrawThinking(PlaySession& p, Words words) {
  if (!Alone(p, words)) return true;
  p.session().SetDrawOffer(p.You(), true);
  return Say(p, EngineName() + " answers your draw offer with its move.");
}

bool Save(PlaySession& p, Words words) {
  if (words.size() < 2) return Say(p, "save needs a file name: save game.pgn");
  const std::string path = Rest(words);
  if (const std::optional<std::string> error =
          SaveTextFile(WithHomeFolder(path), PgnText(p.session().game(), p.Tags())))
    return Say(p, Sentence("The game is not saved: " + Printable(*error, kLongestName)));
  return Say(p, "Saved the game to " + Printable(path, kLongestName) + ".");
}

// "load FILE|FEN". While Ravok thinks, a game that can be read stops the
// search; one that cannot is refused at once.
bool Load(PlaySession& p, Words words, bool thinking) {
  if (words.size() < 2) return Say(p, "load needs a PGN file or a FEN: load game.pgn");
  const PgnReadResult read = LoadGame(WithHomeFolder(Rest(words)));
  if (!read.error.empty())
    return Say(p, Sentence("Nothing loaded: " + Printable(read.error, kLongestName)) + " The game is as it was.");
  if (thinking) return p.StopThinking(words);
  p.TakeGame(read, Printable(Rest(words), kLongestName));
  return true;
}
bool LoadIdle(PlaySession& p, Words words) { return Load(p, words, false); }
bool LoadThinking(PlaySession& p, Words words) { return Load(p, words, true); }

bool Help(PlaySession& p, Words) {
  p.out().Lines(PlayHelpLines());
  return true;
}

bool Quit(PlaySession& p, Words) {
  p.RequestQuit();
  return true;
}

constexpr Command<PlaySession> kCommands[] = {
    {"new", New, StopFirst},
    {"undo", Undo, StopFirst},
    {"back", Undo, StopFirst},
    {"takeback", Undo, StopFirst},
    {"redo", Redo, nullptr},
    {"hint", Hint, AfterMove},
    {"flip", Flip, nullptr},
    {"board", Board, nullptr},
    {"display", Board, nullptr},
    {"moves", Moves, nullptr},
    {"level", Level, nullptr},
    {"time", TimeIdle, TimeThinking},
    {"clock", Clock, nullptr},
    {"think", Think, nullptr},
    {"ponder", Ponder, nullptr},
    {"draw", Draw, DrawThinking},
    {"resign", Resign, StopFirst},
    {"save", Save, nullptr},
    {"load", LoadIdle, LoadThinking},
    {"help", Help, nullptr},
    {"?", Help, nullptr},
    {"quit", Quit, nullptr},
    {"exit", Quit, nullptr},
};

}  // namespace

std::span<const Command<PlaySession>> PlayCommands() { return kCommands; }

std::vector<std::string> PlayHelpLines() {
  const std::string engine = EngineName();
  return {
      "Type a move as e4, Nf3, exd5, O-O, e8=Q or e2e4. Commands:",
      "  new [white|black]      a new game; you play White unless you say black",
      "  new 960 [N]            a Chess960 game from start N (518 the usual one), or a random start",
      "  undo (back, takeback)  take back your last move and " + engine + "'s answer",
      "  redo                   play again what undo took back",
      "  hint [N]               " + engine + "'s suggestion for your move, or its N best",
      "  flip                   turn the board around",
      "  board [unicode|ascii]  show the position; or choose chess symbols or letters",
      "  moves                  the moves so far",
      "  level [N]              list the levels; play against level N (1 weakest, " + std::to_string(FullLevel()) +
          " full strength)",
      "  time [BASE+INC | off]  a clock: BASE minutes or m:ss, INC seconds a move (time 5+3)",
      "  clock                  both clocks",
      "  think [on|off]         show or hide " + engine + "'s thinking line",
      "  ponder [on|off]        let " + engine + " think on your time (full strength only)",
      "  draw                   offer a draw",
      "  resign                 give up the game",
      "  save FILE              save the game as PGN",
      "  load FILE|FEN          a PGN game (you keep your side) or a position (you move)",
      "  help (?)               this list",
      "  quit (exit)            leave",
  };
}
