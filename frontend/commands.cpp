// The command table, and the commands that do the same while idle and
// during a search: settings, queries, pondering, draw offers and the
// protocol's handshake and notes. The commands that change the game are in
// game_commands.cpp.
#include "frontend/commands.h"

#include <algorithm>

#include "frontend/command_actions.h"
#include "frontend/communicator.h"
#include "frontend/protocol_two.h"
#include "frontend/replies.h"
#include "frontend/xboard_options.h"
#include "session/player_clock.h"
#include "session/string_utils.h"

namespace {

using namespace game_commands;

bool NotLegalNow(Communicator& c, const WordList& words) {
  c.out().ReplyError(Word(kWordCommandNotLegalNow), words);
  return true;
}

// The number after the command word; nothing, after the error reply, when
// it is missing or unreadable.
std::optional<int32_t> NumberWord(Communicator& c, const WordList& words) {
  if (words.size() < 2) {
    c.out().ReplyError("missing number", words);
    return std::nullopt;
  }
  const NumberArgument number = ReadNumberArgument(words[1]);
  if (!number.ok) {
    c.out().ReplyError(number.error, words);
    return std::nullopt;
  }
  return number.value;
}

// "." shows how far the running or finished search has got.
bool Status(Communicator& c, const WordList& words) {
  if (!c.Status().searchActive && !c.Status().resultPending) return NotLegalNow(c, words);
  c.out().PrintAnalysisStatus();
  return true;
}

bool ShowBoard(Communicator& c, const WordList&) {
  c.out().DisplayBoard(c.session().game().currentPosition);
  return true;
}

bool ShowEvaluation(Communicator& c, const WordList&) {
  c.PrintEvaluation();
  return true;
}

bool ShowHelp(Communicator& c, const WordList&) {
  for (const std::string& line : HelpLines()) c.out().Reply(line);
  return true;
}

// Words an interface sends to inform the engine, and old commands that
// have nothing left to do.
bool TakeNote(Communicator&, const WordList&) { return true; }

// "draw": the opponent of the engine offers a draw; the engine answers it
// with its next move.
bool OfferDraw(Communicator& c, const WordList& words) {
  GameSession& session = c.session();
  if (c.AnalyzeMode() || !session.EnginePlaysEitherSide()) return NotLegalNow(c, words);
  const int side = session.SideToMove();
  const int offering = session.EnginePlays(side) ? 1 - side : side;
  session.SetDrawOffer(offering, true);
  c.out().Reply(c.dialect().OpponentDrawOffer(session.NameOf(offering)));
  return true;
}

void SetPondering(Communicator& c, bool on) {
  c.session().Settings().ponder = on;
  c.out().Reply(c.dialect().Note(on ? ConsoleNote::kPonderingEnabled : ConsoleNote::kPonderingDisabled));
}

// "easy", "hard"; "pondering on|off" and, as the help text has it, "ponder
// on|off".
bool EasyOrHard(Communicator& c, const WordList& words) {
  SetPondering(c, words.front() == Word(kWordHard));
  return true;
}
bool PonderingOnOff(Communicator& c, const WordList& words) {
  if (words.size() < 2 || !(IsWord(words[1], kWordOn) || IsWord(words[1], kWordOff))) return false;
  SetPondering(c, IsWord(words[1], kWordOn));
  return true;
}

bool PostOrNot(Communicator& c, const WordList& words) {
  c.session().Settings().post = words.front() == Word(kWordPost);
  return true;
}

bool EnterXboard(Communicator& c, const WordList&) {
  if (c.dialect().EnterXboard()) c.out().Reply(std::string());
  return true;
}

// Settings for the next search. Missing or out-of-range numbers leave the
// words to be read as a move.
bool Depth(Communicator& c, const WordList& words) {
  const auto depth = DepthSettingOf(words);
  if (!depth) return false;
  c.session().Settings().depth = *depth;
  return true;
}

// "abstime", "vartime", "st": "st" is a hard limit without a target.
bool MoveTime(Communicator& c, const WordList& words) {
  const auto time = SecondsSettingOf(words);
  if (!time) return false;
  SessionSettings& settings = c.session().Settings();
  if (words.front() == Word(kWordVartime)) {
    settings.variableTime = *time;
  } else {
    settings.absoluteTime = *time;
    if (words.front() == Word(kWordSt)) settings.variableTime = 0;
  }
  return true;
}

// A console word that sets a combo option: "timerule classic|increment"
// (the Time Rule option), "search classic|selective" (the Search option),
// "evaluation classic|tuned" (the Evaluation option).
bool ComboOptionCommand(Communicator& c, const WordList& words, std::string_view name) {
  const OptionEntry& option = *FindOption(name, false);
  const std::optional<int64_t> value = words.size() == 2 ? XboardOptionValue(option, words[1]) : std::nullopt;
  if (!value) return false;
  OptionHost host = c.Options();
  option.write(host, *value);
  return true;
}
bool TimeRuleCommand(Communicator& c, const WordList& words) { return ComboOptionCommand(c, words, "Time Rule"); }
bool SearchCommand(Communicator& c, const WordList& words) { return ComboOptionCommand(c, words, "Search"); }
bool EvaluationCommand(Communicator& c, const WordList& words) { return ComboOptionCommand(c, words, "Evaluation"); }

// "level MPS BASE INC": the clocks run from now on. A time word that is no
// time is refused, the settings stay; while the engine thinks or ponders
// the clocks cannot change.
bool Level(Communicator& c, const WordList& words) {
  std::optional<TimeControl> control;
  try {
    control = TimeControlOf(words);
  } catch (const string_conversion_error&) {
    c.out().ReplyError(Word(kWordInvalidCommand), words);
    return true;
  }
  if (!control) return false;
  if (!c.AnalyzeMode() && (c.Status().searchActive || c.Status().resultPending)) return NotLegalNow(c, words);
  c.session().SetTimeControl(*control);
  return true;
}

// The option's value changes what it drives; one that cannot change under
// a search waits for its end.
void ApplyOption(Communicator& c, const WordList& words, const OptionEntry& option, int64_t value) {
  OptionHost host = c.Options();
  switch (option.write(host, value)) {
    case OptionOutcome::kDone: break;
    case OptionOutcome::kNoMemory: c.out().ReplyError("not enough memory", words); break;
    case OptionOutcome::kSearchRunning: c.WaitForSearchEnd(words); break;
  }
}

bool Option(Communicator& c, const WordList& words) {
  const OptionSetting setting = ReadOptionCommand(words);
  if (setting.option)
    ApplyOption(c, words, *setting.option, setting.value);
  else
    c.out().ReplyError(setting.problem, words);
  return true;
}

// "memory N" is the Hash option by another name (beyond the option's range
// too).
bool Memory(Communicator& c, const WordList& words) {
  const auto mebibytes = NumberWord(c, words);
  if (!mebibytes) return true;
  if (*mebibytes < 1)
    c.out().ReplyError("memory must be at least 1 MiB", words);
  else
    ApplyOption(c, words, *FindOption("Hash", false), *mebibytes);
  return true;
}

// "cores N" is the Threads option by another name.
bool Cores(Communicator& c, const WordList& words) {
  const auto threads = NumberWord(c, words);
  if (!threads) return true;
  const OptionEntry& option = *FindOption("Threads", false);
  if (*threads < option.minimum || *threads > option.maximum)
    c.out().ReplyError("number out of range", words);
  else
    ApplyOption(c, words, option, *threads);
  return true;
}

bool Protover(Communicator& c, const WordList& words) {
  const auto version = NumberWord(c, words);
  if (!version) return true;
  if (*version < 1) {
    c.out().ReplyError("number out of range", words);
    return true;
  }
  c.dialect().SetProtocolVersion(*version);
  if (*version >= 2)
    for (const std::string& line : FeatureLines(c.Options())) c.out().Reply(line);
  return true;
}

// "ping N" is answered once every earlier command is done: while the engine
// thinks on its move, that is after the move.
bool Ping(Communicator& c, const WordList& words) {
  if (c.Status().searchActive && c.Status().parameters.mode == kModeThink) {
    c.Queue(words);
    return true;
  }
  std::string pong = "pong";
  for (size_t i = 1; i < words.size(); ++i) pong += " " + words[i];
  c.out().Reply(pong);
  return true;
}

// "time N", "otim N": the interface's readings of the clocks in
// centiseconds. A clock past zero reads as empty: the limits then ask for
// the quickest move.
bool InterfaceClock(Communicator& c, const WordList& words) {
  const auto centiseconds = NumberWord(c, words);
  if (centiseconds)
    c.session().NoteInterfaceClock(words.front() == "time", FromCentiseconds(std::max(*centiseconds, 0)));
  return true;
}

constexpr DialogueCommand kCommands[] = {
    // The game and the engine's sides.
    {"new", NewIdle, NewSearching},
    {"variant", VariantIdle, VariantSearching},
    {"go", GoIdle, GoSearching},
    {"?", MoveNowIdle, MoveNowSearching},
    {"force", ForceIdle, ForceSearching},
    {"white", SideIdle, SideSearching},
    {"black", SideIdle, SideSearching},
    {"playother", PlayotherIdle, PlayotherSearching},
    {"usermove", UsermoveIdle, UsermoveSearching},
    {"tb", TakeBackIdle, TakeBackSearching},
    {"undo", TakeBackIdle, TakeBackSearching},
    {"remove", RemoveIdle, RemoveSearching},
    {"edit", EditIdle, EditSearching},
    {"setboard", SetboardIdle, SetboardSearching},
    {"result", Result, nullptr},
    {"draw", OfferDraw, nullptr},
    {"analyze", AnalyzeIdle, AnalyzeSearching},
    {"exit", ExitIdle, ExitSearching},
    {"quit", QuitIdle, QuitSearching},
    {"end", QuitIdle, QuitSearching},
    // Settings.
    {"sd", Depth, nullptr},
    {"depth", Depth, nullptr},
    {"st", MoveTime, nullptr},
    {"abstime", MoveTime, nullptr},
    {"vartime", MoveTime, nullptr},
    {"level", Level, nullptr},
    {"timerule", TimeRuleCommand, nullptr},
    {"search", SearchCommand, nullptr},
    {"evaluation", EvaluationCommand, nullptr},
    {"time", InterfaceClock, nullptr},
    {"otim", InterfaceClock, nullptr},
    {"easy", EasyOrHard, nullptr},
    {"hard", EasyOrHard, nullptr},
    {"pondering", PonderingOnOff, nullptr},
    {"ponder", PonderingOnOff, nullptr},
    {"post", PostOrNot, nullptr},
    {"nopost", PostOrNot, nullptr},
    {"option", Option, nullptr},
    {"memory", Memory, nullptr},
    {"cores", Cores, nullptr},
    // Queries.
    {".", Status, nullptr},
    {"display", ShowBoard, nullptr},
    {"eval", ShowEvaluation, nullptr},
    {"help", ShowHelp, nullptr},
    // The protocol's handshake and the words only taken note of.
    {"xboard", EnterXboard, nullptr},
    {"protover", Protover, nullptr},
    {"ping", Ping, nullptr},
    {"history", TakeNote, nullptr},
    {"random", TakeNote, nullptr},
    {"accepted", TakeNote, nullptr},
    {"rejected", TakeNote, nullptr},
    {"computer", TakeNote, nullptr},
    {"name", TakeNote, nullptr},
    {"rating", TakeNote, nullptr},
    {"ics", TakeNote, nullptr},
};

}  // namespace

std::span<const DialogueCommand> DialogueCommands() { return kCommands; }

bool IsKnownCommandWord(const std::string& word) {
  return FindCommand(DialogueCommands(), word) != nullptr;
}
