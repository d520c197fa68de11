#include "play/play_texts.h"

#include <cmath>
#include <cstdlib>

#include "base/protocol_words.h"
#include "board/moves.h"
#include "board/san.h"
#include "search/search_state.h"
#include "session/options.h"

namespace {

constexpr Milliseconds kSecond = kMillisecondsPerSecond;
constexpr Milliseconds kMinute = 60 * kSecond;
constexpr Milliseconds kHour = 60 * kMinute;
// Below this a clock shows its tenths.
constexpr Milliseconds kTenthsBelow = 20 * kSecond;
// The longest base time and increment a person may set.
constexpr Milliseconds kLongestBase = 24 * kHour;
constexpr Milliseconds kLongestIncrement = kHour;

std::string TwoDigits(int64_t n) {
  std::string text = std::to_string(n);
  if (n < 10) text.insert(text.begin(), '0');
  return text;
}

// Digits with an optional fraction ("5", "1.5", ".5") times `unit`,
// rounded to the millisecond; nothing for any other text or a value past
// `most`.
std::optional<Milliseconds> ReadAmount(const std::string& text, Milliseconds unit, Milliseconds most) {
  if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789.") != std::string::npos ||
      text.find('.') != text.rfind('.') || text == ".")
    return std::nullopt;
  const double value = std::strtod(text.c_str(), nullptr) * double(unit);
  if (value > double(most)) return std::nullopt;
  return Milliseconds(std::llround(value));
}

// BASE: minutes, or minutes:seconds with two digits of seconds below 60.
std::optional<Milliseconds> ReadBase(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) return ReadAmount(text, kMinute, kLongestBase);
  const std::string seconds = text.substr(colon + 1);
  if (seconds.size() != 2 || seconds.find('.') != std::string::npos) return std::nullopt;
  const auto minutes = ReadAmount(text.substr(0, colon), kMinute, kLongestBase);
  const auto rest = ReadAmount(seconds, kSecond, 59 * kSecond);
  if (!minutes || !rest || text.substr(0, colon).find('.') != std::string::npos) return std::nullopt;
  return *minutes + *rest;
}

// Seconds with the fraction it needs: "3", "0.5", "0.125".
std::string SecondsText(Milliseconds duration) {
  std::string text = std::to_string(duration / kSecond);
  Milliseconds fraction = duration % kSecond;
  if (fraction == 0) return text;
  std::string digits = std::to_string(kSecond + fraction).substr(1);
  while (digits.back() == '0') digits.pop_back();
  return text + "." + digits;
}

bool NamesUtf8(const char* value) {
  const std::string lowered = Lowered(value);
  return lowered.find("utf-8") != std::string::npos || lowered.find("utf8") != std::string::npos;
}

}  // namespace

std::string EngineName() { return Word(kWordEngineName); }

std::string Printable(const std::string& text, size_t most) {
  std::string shown = text.substr(0, most);
  for (char& c : shown)
    if ((c >= 0 && c < ' ') || c == 0x7f) c = '?';
  return text.size() > most ? shown + "..." : shown;
}

std::string ClockText(Milliseconds remaining) {
  if (remaining <= 0) return "0:00.0";
  if (remaining < kTenthsBelow)
    return "0:" + TwoDigits(remaining / kSecond) + "." + std::to_string(remaining % kSecond / 100);
  const int64_t seconds = remaining / kSecond;
  if (remaining >= kHour)
    return std::to_string(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" + TwoDigits(seconds % 60);
  return std::to_string(seconds / 60) + ":" + TwoDigits(seconds % 60);
}

// The search scores a mate as kInfinity less the plies to it.
std::string PersonScoreText(int personScore) {
  const int size = std::abs(personScore);
  if (size > kMateThreshold) {
    const std::string moves = std::to_string((kInfinity - size + 1) / 2);
    return personScore > 0 ? "you mate in " + moves : EngineName() + " mates in " + moves;
  }
  const std::string pawns = std::to_string(size / 100) + "." + TwoDigits(size % 100);
  return size == 0 ? pawns : (personScore > 0 ? "+" : "-") + pawns;
}

std::string SanLine(const GamePosition& position, const std::vector<Move>& line) {
  GamePosition p = position;
  std::string text;
  for (const Move move : line) {
    if (!IsLegalMove(p, move)) break;
    if (!text.empty()) text += ' ';
    text += SanMoveText(p, move);
    ApplyMove(p, move);
  }
  return text;
}

Players PersonAgainstRavok(int you) {
  Players players;
  players[1 - you] = EngineName();
  return players;
}

std::string ResultSentence(const GamePosition& p, const Players& players) {
  if (p.result == kGameRunning) return "";
  if (p.result == kGameUndecided) return "The game was left undecided.";
  if (p.result == kGameDrawn) {
    switch (p.reason) {
      case kReasonTimeoutDraw: {
        const std::string& flagged = players[p.sideToMove];
        const std::string& other = players[1 - p.sideToMove];
        if (flagged.empty())
          return "Your time ran out, but " + other + " could never checkmate with what it has: draw.";
        if (other.empty()) return flagged + "'s time ran out, but you could never checkmate with what you have: draw.";
        return flagged + "'s time ran out, but " + other + " could never checkmate: draw.";
      }
      case kReasonStalemate: return "Stalemate: draw.";
      case kReasonInsufficientMaterial: return "Draw: neither side has the pieces left to mate.";
      case kReasonRepetition: return "Draw by threefold repetition.";
      case kReasonAgreement: return "Draw by agreement.";
      case kReasonFiftyMoves: return "Draw by the fifty-move rule.";
      default: return "The game is over: drawn.";
    }
  }
  const int winnerSide = p.result == kWhiteWins ? kWhite : kBlack;
  const std::string& winner = players[winnerSide];
  const std::string& loser = players[1 - winnerSide];
  switch (p.reason) {
    case kReasonMate:
      if (winner.empty()) return "Checkmate. You win.";
      return loser.empty() ? winner + " wins by checkmate." : "Checkmate: " + loser + " is mated.";
    case kReasonResignation:
      if (winner.empty()) return loser + " resigns: you win.";
      return (loser.empty() ? "You" : loser) + " resigned: " + winner + " wins.";
    case kReasonLossOnTime:
      if (winner.empty()) return loser + "'s time ran out: you win.";
      return (loser.empty() ? "Your" : loser + "'s") + " time ran out: " + winner + " wins.";
    default: return "The game is over: " + (winner.empty() ? "you" : winner) + " won.";
  }
}

SideChoice ChooseSide(const std::string& white, const std::string& black, int sideToMove,
                      const std::vector<std::string>& personNames) {
  const auto like = [](const std::string& name, const std::string& wanted) {
    const size_t first = name.find_first_not_of(' '), last = name.find_last_not_of(' ');
    const std::string trimmed = first == std::string::npos ? "" : name.substr(first, last - first + 1);
    return !wanted.empty() && Lowered(trimmed) == Lowered(wanted);
  };
  const auto isPerson = [&](const std::string& name) {
    for (const std::string& person : personNames)
      if (like(name, person)) return true;
    return false;
  };
  if (isPerson(white) != isPerson(black)) return {isPerson(white) ? kWhite : kBlack, SideChoice::Why::kNamed};
  const bool whiteRavok = like(white, EngineName()), blackRavok = like(black, EngineName());
  if (whiteRavok != blackRavok) return {whiteRavok ? kBlack : kWhite, SideChoice::Why::kAgainstRavok};
  return {sideToMove, SideChoice::Why::kToMove};
}

std::optional<TimeControl> ReadTimeControlText(const std::string& text, std::string& problem) {
  const size_t plus = text.find('+');
  const std::string baseText = text.substr(0, plus);
  const std::string incrementText = plus == std::string::npos ? "0" : text.substr(plus + 1);
  const auto base = ReadBase(baseText);
  const auto increment = ReadAmount(incrementText, kSecond, kLongestIncrement);
  if (!base || *base <= 0) {
    problem = "the time must be minutes (5) or minutes:seconds (0:30), more than nothing and at most 24 hours";
  } else if (!increment) {
    problem = "the increment after + must be seconds (3 or 0.5), at most an hour";
  } else {
    return TimeControl{*base, 0, 0, *increment};
  }
  return std::nullopt;
}

std::string TimeControlText(const TimeControl& control) {
  const Milliseconds base = control.baseTime;
  std::string text = base % kMinute == 0 ? std::to_string(base / kMinute)
                                         : std::to_string(base / kMinute) + ":" + TwoDigits(base % kMinute / kSecond);
  return text + "+" + SecondsText(control.increment);
}

std::string PgnTimeControl(const TimeControl& control, bool clockMode) {
  if (!clockMode) return "-";
  return SecondsText(control.baseTime) + "+" + SecondsText(control.increment);
}

PieceGlyphs GlyphsForLocale(const char* lcAll, const char* lcCtype, const char* lang) {
  for (const char* value : {lcAll, lcCtype, lang})
    if (value != nullptr && *value != '\0') return NamesUtf8(value) ? PieceGlyphs::kUnicode : PieceGlyphs::kAscii;
  return PieceGlyphs::kAscii;
}
