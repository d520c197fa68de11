// The commands that graphical interfaces and tournament managers send beyond
// Ravok's own dialogue: the protocol-2 handshake ("protover" and the
// announcement of features), "ping", "setboard", the interface's clocks
// ("time"/"otim"), "memory", "remove", "playother", "usermove" and the
// words that are only taken note of. They work in both modes; only the reply
// to an unreadable first word depends on the protocol version.
#include "frontend/protocol_two.h"

#include <algorithm>
#include <cstddef>

#include "board/fen.h"
#include "board/moves.h"
#include "frontend/communicator.h"
#include "frontend/replies.h"
#include "frontend/xboard_options.h"
#include "session/string_utils.h"

namespace {

constexpr const char* kProtover = "protover";
constexpr const char* kPing = "ping";
constexpr const char* kPong = "pong";
constexpr const char* kSetboard = "setboard";
constexpr const char* kTime = "time";
constexpr const char* kOtim = "otim";
constexpr const char* kMemory = "memory";
constexpr const char* kRemove = "remove";
constexpr const char* kPlayother = "playother";
constexpr const char* kUsermove = "usermove";
constexpr const char* kOption = "option";
constexpr const char* kHashOption = "Hash";
// Words an interface sends to inform the engine; nothing to do for them.
constexpr const char* kNoteWords[] = {"accepted", "rejected", "computer", "name", "rating", "ics"};

// Error reasons of the protocol-2 commands.
constexpr const char* kUnknownCommand = "unknown command";
constexpr const char* kMissingNumber = "missing number";
constexpr const char* kNotANumber = "not a number";
constexpr const char* kNumberOutOfRange = "number out of range";
constexpr const char* kMissingMove = "missing move";
constexpr const char* kMemoryTooSmall = "memory must be at least 1 MiB";
constexpr const char* kNotEnoughMemory = "not enough memory";

bool IsNoteWord(const std::string& word) {
  return std::find(std::begin(kNoteWords), std::end(kNoteWords), word) != std::end(kNoteWords);
}

std::string JoinedArguments(const WordList& words) {
  std::string text;
  for (size_t i = 1; i < words.size(); ++i) text += (i > 1 ? " " : "") + words[i];
  return text;
}

// The reason of a refused "setboard": the reader's own text for malformed
// FEN, the rule that the position breaks otherwise.
std::string SetboardErrorReason(const std::string& message) {
  if (message.rfind("Invalid FEN", 0) == 0) return message;
  return std::string(Word(kWordPositionNotLegal)) + ": " + message;
}

// The interface's reading of a clock replaces Ravok's own count; a running
// clock counts on from now.
void SetRemaining(PlayerClock& clock, Milliseconds reading, TimePoint now) {
  clock.remaining = reading;
  if (clock.running) clock.runStart = now;
}

}  // namespace

std::vector<std::string> FeatureLines(const OptionHost& host) {
  std::vector<std::string> lines = {
      "feature ping=1 setboard=1 playother=1 usermove=0 san=0 time=1 draw=1 sigint=0 sigterm=0 reuse=1 "
      "analyze=1 colors=1",
      std::string("feature name=0 ics=0 pause=0 nps=0 debug=0 memory=1 smp=0 variants=\"normal\" myname=\"") +
          Word(kWordEngineName) + "\""};
  for (std::string& line : OptionFeatureLines(host)) lines.push_back(std::move(line));
  lines.push_back("feature done=1");
  return lines;
}

bool LooksLikeMove(const std::string& word) {
  Square from = 0, to = 0;
  return word.size() >= 4 && ReadSquareName(word[0], word[1], from) && ReadSquareName(word[2], word[3], to);
}

bool IsKnownCommandWord(const std::string& word) {
  static const ProtocolWord kCommandWords[] = {
      kWordAnalyze, kWordAbstime, kWordDepth, kWordDisplay, kWordDraw,      kWordEasy,   kWordEdit,
      kWordEnd,     kWordEval,    kWordExit,  kWordForce,   kWordMoveNow,   kWordGo,     kWordHard,
      kWordHelp,    kWordHistory, kWordNew,   kWordQuit,    kWordPondering, kWordTb,     kWordUndo,
      kWordVartime, kWordXboard,  kWordNopost, kWordPost,   kWordRandom,    kWordResult, kWordLevel,
      kWordSd,      kWordSt,      kWordWhite, kWordBlack};
  static const char* const kProtocolTwoWords[] = {kProtover, kPing,      kSetboard, kTime,          kOtim,   kMemory,
                                                  kRemove,   kPlayother, kUsermove, kPonderCommand, kOption, kTimeRuleCommand};
  for (ProtocolWord w : kCommandWords)
    if (IsWord(word, w)) return true;
  for (const char* w : kProtocolTwoWords)
    if (word == w) return true;
  return IsNoteWord(word);
}

NumberArgument ReadNumberArgument(const std::string& word) {
  NumberArgument result;
  try {
    result.value = StringToInt(word);
    result.ok = true;
  } catch (const string_conversion_error&) {
    const size_t digits = word.size() > 1 && word[0] == '-' ? 1 : 0;
    const bool numeral = word.size() > digits && word.find_first_not_of("0123456789", digits) == std::string::npos;
    result.error = numeral ? kNumberOutOfRange : kNotANumber;
  }
  return result;
}

void Communicator::ReplyUnreadableMove(const WordList& words) {
  const std::string& first = words.front();
  if (protocolVersion < 2 || LooksLikeMove(first))
    ReplyIllegalMove("", words);
  else
    ReplyError(IsKnownCommandWord(first) ? Word(kWordInvalidCommand) : kUnknownCommand, words);
}

bool Communicator::HandleProtocolCommand(const WordList& words) {
  const std::string& command = words.front();
  if (command == kProtover) {
    const auto version = ReadNumberWord(words);
    if (!version) return true;
    if (*version < 1) {
      ReplyError(kNumberOutOfRange, words);
      return true;
    }
    protocolVersion = *version;
    if (protocolVersion >= 2)
      for (const std::string& line : FeatureLines(Options())) Reply(line);
    return true;
  }
  if (IsNoteWord(command)) return true;
  if (command == kPing) {
    // Answered once every earlier command is done: while the engine thinks
    // on its move, that is after the move.
    if (searchStatus.searchActive && searchStatus.parameters.mode == kModeThink)
      commandQueue.push_back(words);
    else
      Reply(words.size() > 1 ? std::string(kPong) + " " + JoinedArguments(words) : kPong);
    return true;
  }
  if (command == kOption) {
    SetOption(words);
    return true;
  }
  if (command == kTime || command == kOtim) {
    const auto centiseconds = ReadNumberWord(words);
    if (!centiseconds) return true;
    // A clock past zero reads as empty: the limits then ask for the
    // quickest move.
    (command == kTime ? interfaceTime : interfaceOtim) = FromCentiseconds(std::max(*centiseconds, 0));
    return true;
  }
  return false;
}

bool Communicator::IdleProtocolCommand(const WordList& words) {
  const std::string& command = words.front();
  if (command == kSetboard) {
    if (!SetBoardFromWords(words)) return true;
    if (analyzeMode)
      QueueWord(kWordAnalyze);
    else if (EnginePlaysEitherSide())
      EnginePlaysOtherSide();
    return true;
  }
  if (command == kMemory) {
    if (const auto mebibytes = MemoryMebibytesOf(words)) SetHashMemory(words, *mebibytes);
    return true;
  }
  if (command == kRemove) {
    if (!RemoveTwoMoves(words)) return true;
    if (analyzeMode) QueueWord(kWordAnalyze);
    return true;
  }
  if (command == kPlayother) {
    EnginePlaysOtherSide();
    if (clockMode) ClockOf(SideToMove()).Start(ClockNow());
    return true;
  }
  if (command == kUsermove) {
    if (words.size() < 2)
      ReplyError(kMissingMove, words);
    else
      IdleMove(WordList(words.begin() + 1, words.end()));
    return true;
  }
  return false;
}

bool Communicator::SearchingProtocolCommand(const WordList& words) {
  const int mode = searchStatus.parameters.mode;
  const bool thinking = mode == kModeThink, analysing = mode == kModeAnalyze;
  const std::string& command = words.front();
  if (command == kSetboard) {
    // A refused position leaves the search running; a new one ends it.
    if (!SetBoardFromWords(words)) return true;
    if (analysing)
      QueueWord(kWordAnalyze);
    else
      EnginePlaysOtherSide();
    EndSearch(true);
  }
  if (command == kMemory) {
    // The tables cannot change under a running search: the resize waits for
    // its end, and an analysis is restarted for it.
    if (MemoryMebibytesOf(words)) WaitForSearchEnd(words);
    return true;
  }
  if (command == kRemove) {
    // While the engine thinks on its move, the opponent has no move to take
    // back.
    if (thinking) {
      ReplyError(Word(kWordCommandNotLegalNow), words);
      return true;
    }
    if (!RemoveTwoMoves(words)) return true;
    if (analysing) QueueWord(kWordAnalyze);
    EndSearch(true);
  }
  if (command == kPlayother) {
    // While pondering the engine already plays the side not on move.
    if (mode != kModePonder) ReplyError(Word(kWordCommandNotLegalNow), words);
    return true;
  }
  if (command == kUsermove) {
    if (words.size() < 2)
      ReplyError(kMissingMove, words);
    else
      SearchingMove(WordList(words.begin() + 1, words.end()));
    return true;
  }
  return false;
}

void Communicator::SetOption(const WordList& words) {
  const XboardOptionSetting setting = ReadOptionCommand(words);
  if (!setting.option) {
    ReplyError(setting.refusal, words);
    return;
  }
  OptionHost host = Options();
  switch (setting.option->write(host, setting.value)) {
    case OptionOutcome::kDone: break;
    case OptionOutcome::kNoMemory: ReplyError(kNotEnoughMemory, words); break;
    case OptionOutcome::kSearchRunning: WaitForSearchEnd(words); break;
  }
}

void Communicator::WaitForSearchEnd(const WordList& words) {
  commandQueue.push_back(words);
  if (searchStatus.parameters.mode == kModeAnalyze) {
    QueueWord(kWordAnalyze);
    EndSearch(true);
  }
}

std::optional<int32_t> Communicator::ReadNumberWord(const WordList& words) {
  if (words.size() < 2) {
    ReplyError(kMissingNumber, words);
    return std::nullopt;
  }
  const NumberArgument number = ReadNumberArgument(words[1]);
  if (!number.ok) {
    ReplyError(number.error, words);
    return std::nullopt;
  }
  return number.value;
}

void Communicator::ApplyInterfaceClocks() {
  const TimePoint now = ClockNow();
  if (interfaceTime) SetRemaining(ClockOf(SideToMove()), *interfaceTime, now);
  if (interfaceOtim) SetRemaining(ClockOf(1 - SideToMove()), *interfaceOtim, now);
  interfaceTime.reset();
  interfaceOtim.reset();
}

bool Communicator::SetBoardFromWords(const WordList& words) {
  try {
    game.SetupPosition(ParseFen(JoinedArguments(words)));
  } catch (const GameError& e) {
    ReplyError(SetboardErrorReason(e.message()), words);
    return false;
  }
  ResetClocksAndCounters();
  ResetSearchStatus();
  ponderMove = 0;
  interfaceTime.reset();
  interfaceOtim.reset();
  return true;
}

bool Communicator::RemoveTwoMoves(const WordList& words) {
  if (game.moves.size() < 2) {
    ReplyError(Word(kWordCommandNotLegalNow), words);
    return false;
  }
  // The same side is on move again, so the engine keeps its colour.
  TakeBackWithClocks();
  TakeBackWithClocks();
  ResetSearchStatus();
  ponderMove = 0;
  return true;
}

std::optional<int32_t> Communicator::MemoryMebibytesOf(const WordList& words) {
  const auto mebibytes = ReadNumberWord(words);
  if (!mebibytes) return std::nullopt;
  if (*mebibytes < 1) {
    ReplyError(kMemoryTooSmall, words);
    return std::nullopt;
  }
  return mebibytes;
}

// "memory N" is the Hash option by another name (beyond the option's range
// too).
void Communicator::SetHashMemory(const WordList& words, int32_t mebibytes) {
  OptionHost host = Options();
  if (FindOption(kHashOption, false)->write(host, mebibytes) != OptionOutcome::kDone)
    ReplyError(kNotEnoughMemory, words);
}
