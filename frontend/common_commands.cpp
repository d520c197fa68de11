// The commands that behave the same while waiting and during a search: the
// settings, display, draw offers, pondering, eval, help, post and result.
#include <ostream>

#include "board/display.h"
#include "frontend/communicator.h"
#include "frontend/protocol_two.h"
#include "frontend/replies.h"
#include "frontend/xboard_options.h"
#include "session/string_utils.h"

namespace {

// The game result that a "result" command's second word names; 0 for a
// word that is no result.
uint32_t ResultOfWord(const std::string& word) {
  if (word == "1-0" || word == "1:0") return kWhiteWins;
  if (word == "0-1" || word == "0:1") return kBlackWins;
  if (word == "1/2-1/2" || word == "1/2:1/2") return kGameDrawn;
  if (word == "*") return kGameUndecided;
  return kGameRunning;
}

}  // namespace

bool Communicator::HandleCommonCommand(const WordList& words) {
  if (words.empty()) {
    if (!xboardMode) Reply(std::string(Word(kWordOk)) + ".");
    return true;
  }
  const std::string& command = words[0];
  if (command == ".") {
    if (searchStatus.searchActive || searchStatus.resultPending)
      PrintAnalysisStatus();
    else
      ReplyError(Word(kWordCommandNotLegalNow), words);
    return true;
  }
  if (HandleSettingsCommand(words)) return true;
  if (IsWord(command, kWordDisplay)) {
    BeginReply();
    Display(game.currentPosition, EngineOutput());
    return true;
  }
  if (IsWord(command, kWordDraw)) {
    if (analyzeMode || !EnginePlaysEitherSide()) {
      ReplyError(Word(kWordCommandNotLegalNow), words);
      return true;
    }
    const int offering = ClockOf(SideToMove()).engine ? 1 - SideToMove() : SideToMove();
    ClockOf(offering).drawOffered = true;
    if (!xboardMode) Reply(NameOf(offering) + " " + Word(kWordHasOfferedADraw));
    return true;
  }
  if (IsWord(command, kWordEasy) || IsWord(command, kWordHard)) {
    SetPondering(IsWord(command, kWordHard));
    return true;
  }
  // "ponder on|off", as the help text has it, is the same as "pondering".
  if (IsWord(command, kWordPondering) || command == kPonderCommand) {
    if (words.size() < 2 || !(IsWord(words[1], kWordOn) || IsWord(words[1], kWordOff))) return false;
    SetPondering(IsWord(words[1], kWordOn));
    return true;
  }
  if (IsWord(command, kWordEval)) {
    PrintEvaluation();
    return true;
  }
  if (IsWord(command, kWordHelp)) {
    PrintHelp();
    return true;
  }
  if (IsWord(command, kWordHistory) || IsWord(command, kWordRandom)) return true;
  if (IsWord(command, kWordPost) || IsWord(command, kWordNopost)) {
    settings.post = IsWord(command, kWordPost);
    return true;
  }
  if (IsWord(command, kWordResult)) {
    if (words.size() < 3) return false;
    if (GameOver()) return true;
    const uint32_t result = ResultOfWord(words[1]);
    if (result == kGameRunning) return false;
    game.currentPosition.result = result;
    game.currentPosition.reason = kReasonUnknown;
    if (searchStatus.searchActive) EndSearch(true);
    ResetSearchStatus();
    return true;
  }
  if (IsWord(command, kWordXboard)) {
    if (!xboardMode) {
      xboardMode = true;
      Reply("");
    }
    return true;
  }
  return HandleProtocolCommand(words);
}

void Communicator::SetPondering(bool enabled) {
  settings.ponder = enabled;
  if (!xboardMode) Reply(std::string(Word(kWordPondering)) + " " + Word(enabled ? kWordEnabled : kWordDisabled));
}

// "depth"/"sd", "abstime", "vartime", "st", "timerule" and "level": settings for the
// next search. A command with missing or out-of-range numbers is not
// handled (it ends up as an attempted move).
bool Communicator::HandleSettingsCommand(const WordList& words) {
  const std::string& command = words[0];
  if (IsWord(command, kWordDepth) || IsWord(command, kWordSd)) {
    const auto depth = DepthSettingOf(words);
    if (!depth) return false;
    settings.depth = *depth;
    return true;
  }
  const bool absolute = IsWord(command, kWordAbstime), variable = IsWord(command, kWordVartime),
             fixed = IsWord(command, kWordSt);
  if (absolute || variable || fixed) {
    const auto time = SecondsSettingOf(words);
    if (!time) return false;
    if (variable) {
      settings.variableTime = *time;
    } else {
      settings.absoluteTime = *time;
      if (fixed) settings.variableTime = 0;
    }
    return true;
  }
  if (command == kTimeRuleCommand) {
    const OptionEntry& rule = *FindOption(kTimeRuleOption, false);
    const std::optional<int64_t> value = words.size() == 2 ? XboardOptionValue(rule, words[1]) : std::nullopt;
    if (!value) return false;
    OptionHost host = Options();
    rule.write(host, *value);
    return true;
  }
  if (!IsWord(command, kWordLevel)) return false;
  std::optional<TimeControl> control;
  try {
    control = TimeControlOf(words);
  } catch (const string_conversion_error&) {
    // The time word is no time text: refused, the settings stay.
    ReplyError(Word(kWordInvalidCommand), words);
    return true;
  }
  if (!control) return false;
  if (!analyzeMode && (searchStatus.searchActive || searchStatus.resultPending)) {
    ReplyError(Word(kWordCommandNotLegalNow), words);
    return true;
  }
  timeControl = *control;
  ResetBothClocks();
  clockMode = true;
  ClockOf(SideToMove()).Start(ClockNow());
  return true;
}

void Communicator::PrintEvaluation() { Reply("Value: " + std::to_string(engine_.Evaluate(game))); }
