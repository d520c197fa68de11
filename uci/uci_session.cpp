// The UCI session's idle loop: the handshake, options, new games, positions
// and the commands that need no search.
#include "uci/uci_session.h"

#include <ostream>

#include "base/end_of_input.h"
#include "base/protocol_words.h"
#include "session/string_utils.h"
#include "uci/position_command.h"

UciSession::UciSession(Engine& engine, std::istream& in, int inputDescriptor, std::ostream& out, ClockSource clock)
    : engine_(engine), input_(in, inputDescriptor), out_(out), runner_(engine, input_, *this, clock) {
  StartOptions(Options(), Dialogue::kUci);
}

void UciSession::Run(bool answerUci) {
  try {
    if (answerUci) AnswerUci();
    while (!quitRequested_)
      HandleCommand(runner_.HasKept() ? runner_.TakeKept().words : TokenizeAtBlanksAndTabs(input_.ReadLine()));
  } catch (const end_of_input&) {
    // The interface has gone: so has the dialogue.
  }
  out_.flush();
}

// The commands, as they run while idle and during a search (or while a
// finished open-ended search waits for "stop"). Positions, options and new
// games must not change under a search: they wait for its bestmove, and so
// does everything else that is no command of the search's.
std::span<const Command<UciSession>> UciSession::Commands() {
  using S = UciSession;
  using W = const WordList&;
  constexpr Command<UciSession>::Action kAfterSearch = [](S& s, W w) {
    s.runner_.Keep(w);
    return true;
  };
  constexpr Command<UciSession>::Action kReady = [](S& s, W) {
    s.WriteLine("readyok");
    return true;
  };
  constexpr Command<UciSession>::Action kDebug = [](S& s, W w) {
    s.SetDebug(w);
    return true;
  };
  static constexpr Command<UciSession> kCommands[] = {
      {"uci", [](S& s, W) { return s.AnswerUci(), true; }, kAfterSearch},
      {"isready", kReady, kReady},
      {"debug", kDebug, kDebug},
      {"setoption", [](S& s, W w) { return s.SetOption(w), true; }, kAfterSearch},
      {"ucinewgame", [](S& s, W) { return s.NewGame(), true; }, kAfterSearch},
      {"position", [](S& s, W w) { return s.SetPosition(w), true; }, kAfterSearch},
      {"go", [](S& s, W w) { return s.Go(w), true; }, kAfterSearch},
      // "stop" with no search is a race the interface may lose.
      {"stop", [](S&, W) { return true; },
       [](S& s, W) {
         s.go_.pondering = s.go_.waitsForStop = false;
         s.runner_.Stop(true);
         return true;
       }},
      {"ponderhit",
       [](S& s, W) {
         s.InfoString("ponderhit ignored: no ponder search is running");
         return true;
       },
       [](S& s, W) {
         s.PonderHit();
         return true;
       }},
      {"quit",
       [](S& s, W) {
         s.quitRequested_ = true;
         s.runner_.Stop(false);
         return true;
       }},
      // Ravok needs no registration.
      {"register", [](S&, W) { return true; }, kAfterSearch},
  };
  return kCommands;
}

void UciSession::HandleCommand(const WordList& words) {
  if (!words.empty() && !RunCommand(Commands(), *this, words, CommandState::kIdle))
    InfoString("unknown command " + words.front() + " ignored");
}

void UciSession::AnswerUci() {
  WriteLine(std::string("id name ") + Word(kWordEngineName));
  WriteLine("id author the Ravok developers");
  for (const std::string& line : OptionLines(Options())) WriteLine(line);
  WriteLine("uciok");
}

// A new game owes nothing to the last one: the start position, empty
// tables, no killers.
void UciSession::NewGame() {
  session_.NewGame();
  engine_.NewGame();
}

// Options change while no search runs: a "setoption" during a search waits
// for its bestmove.
void UciSession::SetOption(const WordList& words) {
  const OptionSetting change = ReadSetOption(words);
  if (!change.option) {
    InfoString(change.problem);
    return;
  }
  OptionHost host = Options();
  if (change.option->write(host, change.value) == OptionOutcome::kNoMemory)
    InfoString(std::string(change.option->name) + " " + std::to_string(change.value) +
               ": not enough memory; the tables keep their sizes");
}

void UciSession::SetPosition(const WordList& words) {
  PositionCommand position = ReadPositionCommand(words, session_.settings().chess960);
  if (!position.game) {
    InfoString("position refused (" + position.problem + "); the last valid position stays");
    return;
  }
  session_.ReplaceGame(*position.game);
}

void UciSession::SetDebug(const WordList& words) {
  if (words.size() == 2 && (words[1] == "on" || words[1] == "off"))
    debug_ = words[1] == "on";
  else
    InfoString("debug needs on or off");
}

void UciSession::WriteLine(const std::string& line) {
  out_ << line << '\n';
  out_.flush();
}

void UciSession::InfoString(const std::string& text) { WriteLine("info string " + text); }
