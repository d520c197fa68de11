// Reading PGN: a scanner over the text that skips what carries no move
// (blanks, comments, escape lines, NAGs, variations), reads the tag pairs,
// sets up the start position and plays the moves through the typed-move
// reader, whose reasons name what is wrong with a move.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>
#include <vector>

#include "board/fen.h"
#include "board/move_advice.h"
#include "board/pgn.h"

namespace {

// The names other programs give Chess960 in the Variant tag.
bool IsChess960Variant(const std::string& value) {
  std::string lowered;
  for (char c : value)
    if (c != ' ' && c != '-') lowered += char(std::tolower(static_cast<unsigned char>(c)));
  return lowered == "chess960" || lowered == "fischerandom" || lowered == "fischerrandom";
}

struct PgnFailure {
  std::string message;
};

bool IsResultToken(const std::string& s) { return s == "1-0" || s == "0-1" || s == "1/2-1/2" || s == "*"; }

uint32_t ResultOfToken(const std::string& token) {
  if (token == "1-0") return kWhiteWins;
  if (token == "0-1") return kBlackWins;
  return token == "1/2-1/2" ? kGameDrawn : kGameRunning;
}

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// A movetext symbol without its move number ("12.", "12...", also "1.e4"
// and "...e5"); empty for a number alone (dots or not) or dots alone.
std::string WithoutMoveNumber(const std::string& symbol) {
  size_t digits = 0;
  while (digits < symbol.size() && std::isdigit(static_cast<unsigned char>(symbol[digits]))) ++digits;
  size_t end = digits;
  while (end < symbol.size() && symbol[end] == '.') ++end;
  if (end == digits) return digits == symbol.size() ? "" : symbol;
  return symbol.substr(end);
}

class PgnReader {
 public:
  explicit PgnReader(const std::string& text) : text_(text) {}

  PgnReadResult Read() {
    while (SkipFiller(), At('[')) ReadTag();
    const bool tagsFound = tagCount_ > 0;
    SetUpGame();
    const std::string token = ReadMoves();
    if (!tagsFound && moves_ == 0 && token.empty()) Fail("no game found: no tags, no moves, no result");
    SettleResult(token);
    return std::move(result_);
  }

 private:
  [[noreturn]] static void Fail(const std::string& message) { throw PgnFailure{message}; }

  bool At(char c) const { return at_ < text_.size() && text_[at_] == c; }

  int LineNumber() const { return 1 + int(std::count(text_.begin(), text_.begin() + long(at_), '\n')); }

  [[noreturn]] void FailAtLine(const std::string& message) const {
    Fail("line " + std::to_string(LineNumber()) + ": " + message);
  }

  // Blanks, comments and escape lines ("%" first on a line).
  void SkipFiller() {
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (IsBlank(c)) {
        ++at_;
      } else if (c == ';' || (c == '%' && (at_ == 0 || text_[at_ - 1] == '\n'))) {
        const size_t end = text_.find('\n', at_);
        at_ = end == std::string::npos ? text_.size() : end;
      } else if (c == '{') {
        const size_t end = text_.find('}', at_);
        if (end == std::string::npos) FailAtLine("a comment '{' is not closed");
        at_ = end + 1;
      } else {
        return;
      }
    }
  }

  // [Name "value"]; a problem names the line the tag starts on.
  void ReadTag() {
    const std::string line = "line " + std::to_string(LineNumber()) + ": ";
    ++at_;
    SkipBlanks();
    const size_t nameStart = at_;
    while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '_')) ++at_;
    const std::string name = text_.substr(nameStart, at_ - nameStart);
    if (name.empty()) Fail(line + "a tag without a name");
    SkipBlanks();
    if (!At('"')) Fail(line + "the " + name + " tag has no value in quotes");
    std::string value;
    for (++at_; !At('"'); ++at_) {
      if (At('\\')) ++at_;
      if (at_ >= text_.size() || text_[at_] == '\n') Fail(line + "the " + name + " tag's value is not closed by '\"'");
      value += text_[at_];
    }
    ++at_;
    SkipBlanks();
    if (!At(']')) Fail(line + "the " + name + " tag is not closed by ']'");
    ++at_;
    StoreTag(name, value, line);
  }

  void SkipBlanks() {
    while (at_ < text_.size() && IsBlank(text_[at_])) ++at_;
  }

  void StoreTag(const std::string& name, const std::string& value, const std::string& line) {
    ++tagCount_;
    PgnTags& tags = result_.tags;
    std::string* const known[] = {&tags.event, &tags.site,  &tags.date,        &tags.round, &tags.white,
                                  &tags.black, &resultTag_, &tags.timeControl, &setUp_,     &fen_};
    static const char* const kNames[] = {"Event", "Site", "Date",        "Round", "White",
                                         "Black", "Result", "TimeControl", "SetUp", "FEN"};
    for (size_t i = 0; i < std::size(kNames); ++i)
      if (name == kNames[i]) *known[i] = value;
    if (name == "Result" && !IsResultToken(value))
      Fail(line + "the Result tag \"" + ShownWord(value) + "\" is not 1-0, 0-1, 1/2-1/2 or *");
    if (name == "SetUp" && value != "0" && value != "1") Fail(line + "the SetUp tag must be 0 or 1");
    if (std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames)) return;
    if (name == "Variant" && IsChess960Variant(value)) return void(chess960_ = true);
    for (auto& [otherName, otherValue] : tags.others)
      if (otherName == name) return void(otherValue = value);
    tags.others.emplace_back(name, value);
  }

  void SetUpGame() {
    if (fen_.empty()) {
      if (setUp_ == "1") Fail("the SetUp tag is 1 but there is no FEN tag");
      if (chess960_) result_.game.NewGame(true);
      return;
    }
    const PgnReadResult start = ReadFen(fen_, chess960_);
    if (!start.error.empty()) Fail("the FEN tag: " + start.error);
    result_.game = start.game;
    result_.tags.firstMoveNumber = start.tags.firstMoveNumber;
  }

  // The next movetext symbol outside comments, NAGs and variations; empty
  // at the end of the text or at the tags of the next game.
  std::string NextSymbol() {
    int depth = 0;
    for (;;) {
      SkipFiller();
      if (at_ >= text_.size() || (At('[') && depth == 0)) {
        if (depth > 0) Fail("a variation '(' is not closed");
        return "";
      }
      const char c = text_[at_];
      if (c == '(' || c == ')') {
        if (c == ')' && depth == 0) FailAtLine("')' closes no variation");
        depth += c == '(' ? 1 : -1;
        ++at_;
        continue;
      }
      if (c == '$') {
        const size_t digits = ++at_;
        while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) ++at_;
        if (at_ == digits) FailAtLine("'$' without a number");
        continue;
      }
      const size_t start = at_;
      while (at_ < text_.size() && !IsBlank(text_[at_]) && !std::strchr("{}()[];$", text_[at_])) ++at_;
      if (at_ == start) FailAtLine("unexpected '" + ShownWord(std::string(1, c)) + "'");
      if (depth == 0) return text_.substr(start, at_ - start);
    }
  }

  // Plays the moves up to the result token, which it returns ("" when the
  // movetext ends without one).
  std::string ReadMoves() {
    Game& game = result_.game;
    for (std::string symbol = NextSymbol(); !symbol.empty(); symbol = NextSymbol()) {
      if (IsResultToken(symbol)) return symbol;
      const std::string word = WithoutMoveNumber(symbol);
      if (word.empty()) continue;
      // Play goes on past a draw by rule that nobody claimed.
      GamePosition& p = game.currentPosition;
      if (p.result == kGameDrawn && p.reason != kReasonStalemate) p.result = kGameRunning;
      const TypedMove typed = ReadTypedMove(p, word);
      if (typed.problem != MoveProblem::kNone) Fail(MoveName(word) + Verdict(typed));
      game.PlayMove(typed.move);
      ++moves_;
    }
    return "";
  }

  // "move 12. Nf3" or "move 12... Nf3" for the next move.
  std::string MoveName(const std::string& word) const {
    const int plies = moves_ + (result_.game.startPosition.sideToMove == kBlack ? 1 : 0);
    const int number = result_.tags.firstMoveNumber + plies / 2;
    return "move " + std::to_string(number) + (plies % 2 == 0 ? ". " : "... ") + ShownWord(word);
  }

  static std::string Verdict(const TypedMove& typed) {
    if (typed.problem == MoveProblem::kNotAMove) return " is not a move";
    if (typed.problem == MoveProblem::kAmbiguous) return " is ambiguous: " + typed.message;
    return " is not legal: " + typed.message;
  }

  // The result token and the Result tag must agree; a decided result
  // stands where the board has none of its own.
  void SettleResult(const std::string& token) {
    if (!token.empty() && !resultTag_.empty() && token != resultTag_)
      Fail("the Result tag says " + resultTag_ + " but the moves end with " + token);
    const std::string stated = token.empty() ? resultTag_ : token;
    GamePosition& p = result_.game.currentPosition;
    const bool boardDecides = p.reason == kReasonMate || p.reason == kReasonStalemate;
    if (stated.empty() || stated == "*") return;
    if (boardDecides && stated != PgnResultText(p.result))
      Fail("the result " + stated + " does not fit the final position, " +
           (p.reason == kReasonMate ? "mate: " : "stalemate: ") + PgnResultText(p.result));
    if (ResultOfToken(stated) == p.result) return;
    p.result = ResultOfToken(stated);
    p.reason = kReasonUnknown;
  }

  const std::string& text_;
  size_t at_ = 0;
  int tagCount_ = 0;
  int moves_ = 0;
  std::string resultTag_, setUp_, fen_;
  bool chess960_ = false;  // [Variant "Chess960"]
  PgnReadResult result_;
};

}  // namespace

PgnReadResult ReadFen(const std::string& fen, bool chess960) {
  PgnReadResult read;
  try {
    read.game.SetupPosition(chess960 ? ParseFen(fen, true) : ParseAnyFen(fen));
  } catch (const FenError& e) {
    read.error = e.plain();
    return read;
  } catch (const GameError& e) {
    read.error = e.message();
    return read;
  }
  // The move number field, when given, has passed the FEN reader's test.
  std::istringstream in(fen);
  std::vector<std::string> fields;
  for (std::string field; in >> field;) fields.push_back(field);
  if (fields.size() == 6) read.tags.firstMoveNumber = std::stoi(fields[5]);
  return read;
}

PgnReadResult ReadPgn(const std::string& text) {
  PgnReader reader(text);
  try {
    return reader.Read();
  } catch (const PgnFailure& failure) {
    PgnReadResult failed;
    failed.error = failure.message;
    return failed;
  } catch (const GameError& e) {
    PgnReadResult failed;
    failed.error = e.message();
    return failed;
  }
}
