// The UCI session's idle loop: the handshake, options, new games, positions
// and the commands that need no search.
#include "uci/uci_session.h"

#include <ostream>

#include "base/end_of_input.h"
#include "base/protocol_words.h"
#include "session/string_utils.h"
#include "uci/position_command.h"

UciSession::UciSession(Engine& engine, std::istream& in, int inputDescriptor, std::ostream& out)
    : engine_(engine), input_(in, inputDescriptor), out_(out) {
  StartOptions(Options(), Dialogue::kUci);
}

void UciSession::Run(bool answerUci) {
  try {
    if (answerUci) AnswerUci();
    while (!quitRequested_) {
      if (deferred_.empty()) {
        HandleCommand(Tokenize(input_.ReadLine()));
        continue;
      }
      const WordList words = deferred_.front();
      deferred_.pop_front();
      HandleCommand(words);
    }
  } catch (const end_of_input&) {
    // The interface has gone: so has the dialogue.
  }
  out_.flush();
}

void UciSession::HandleCommand(const WordList& words) {
  if (words.empty()) return;
  const std::string& command = words.front();
  if (command == "isready") {
    WriteLine("readyok");
  } else if (command == "go") {
    Go(words);
  } else if (command == "position") {
    SetPosition(words);
  } else if (command == "setoption") {
    SetOption(words);
  } else if (command == "ucinewgame") {
    NewGame();
  } else if (command == "uci") {
    AnswerUci();
  } else if (command == "quit") {
    quitRequested_ = true;
  } else if (command == "debug") {
    SetDebug(words);
  } else if (command == "ponderhit") {
    InfoString("ponderhit ignored: no ponder search is running");
  } else if (command != "stop" && command != "register") {
    // "stop" with no search is a race the interface may lose; Ravok needs
    // no registration.
    InfoString("unknown command " + command + " ignored");
  }
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
  game_ = Game();
  engine_.NewGame();
}

// Options change while no search runs: a "setoption" during a search waits
// for its bestmove.
void UciSession::SetOption(const WordList& words) {
  const OptionChange change = ReadSetOption(words);
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
  PositionCommand position = ReadPositionCommand(words);
  if (!position.game) {
    InfoString("position refused (" + position.problem + "); the last valid position stays");
    return;
  }
  game_ = std::move(*position.game);
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
