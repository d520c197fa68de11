// Writing PGN: the tag section, then the numbered SAN moves and the result
// filled into lines token by token.
#include <algorithm>
#include <cctype>

#include "board/fen.h"
#include "board/pgn.h"
#include "board/san.h"

namespace {

// Export lines hold less than 80 characters.
constexpr size_t kLineWidth = 79;

constexpr const char* kWrittenTags[] = {"Event", "Site", "Date", "Round", "White", "Black",
                                        "Result", "TimeControl", "SetUp", "FEN"};

std::string Escaped(const std::string& value) {
  std::string text;
  for (char c : value) {
    if (c == '"' || c == '\\') text += '\\';
    text += (c >= 0 && c < 0x20) || c == 0x7f ? ' ' : c;
  }
  return text;
}

void AppendTag(std::string& text, const std::string& name, const std::string& value) {
  text += '[';
  text += name;
  text += " \"";
  text += Escaped(value);
  text += "\"]\n";
}

// A name of letters, digits and '_' that is none of the tags written anyway.
bool IsOtherTagName(const std::string& name) {
  const auto isNameChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  if (name.empty() || !std::all_of(name.begin(), name.end(), isNameChar)) return false;
  return std::find(std::begin(kWrittenTags), std::end(kWrittenTags), name) == std::end(kWrittenTags);
}

bool StartsFromInitialPosition(const Game& game, int firstMoveNumber) {
  GamePosition start = game.startPosition;
  const GamePosition initial = GamePosition::Initial();
  start.result = initial.result;
  start.reason = initial.reason;
  return firstMoveNumber == 1 && start == initial;
}

std::vector<std::string> MovetextTokens(const Game& game, int firstMoveNumber) {
  std::vector<std::string> tokens;
  int number = firstMoveNumber;
  int side = game.startPosition.sideToMove;
  bool first = true;
  for (std::string& san : SanMoves(game)) {
    if (side == kWhite || first) tokens.push_back(std::to_string(number) + (side == kWhite ? "." : "..."));
    tokens.push_back(std::move(san));
    if (side == kBlack) ++number;
    side = 1 - side;
    first = false;
  }
  return tokens;
}

std::vector<std::string> Wrapped(const std::vector<std::string>& tokens, size_t width) {
  std::vector<std::string> lines;
  std::string line;
  for (const std::string& token : tokens) {
    if (!line.empty() && line.size() + 1 + token.size() > width) {
      lines.push_back(line);
      line.clear();
    }
    if (!line.empty()) line += ' ';
    line += token;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

const char* PgnResultText(uint32_t result) {
  switch (result) {
    case kWhiteWins:
      return "1-0";
    case kBlackWins:
      return "0-1";
    case kGameDrawn:
      return "1/2-1/2";
    default:
      return "*";
  }
}

std::vector<std::string> NumberedMoveLines(const Game& game, int firstMoveNumber, size_t width) {
  return Wrapped(MovetextTokens(game, firstMoveNumber), width);
}

std::string PgnText(const Game& game, const PgnTags& tags) {
  const int firstMoveNumber = std::max(tags.firstMoveNumber, 1);
  const std::string result = PgnResultText(game.currentPosition.result);
  std::string text;
  AppendTag(text, "Event", tags.event);
  AppendTag(text, "Site", tags.site);
  AppendTag(text, "Date", tags.date);
  AppendTag(text, "Round", tags.round);
  AppendTag(text, "White", tags.white);
  AppendTag(text, "Black", tags.black);
  AppendTag(text, "Result", result);
  AppendTag(text, "TimeControl", tags.timeControl);
  if (game.startPosition.chess960) AppendTag(text, "Variant", "Chess960");
  if (!StartsFromInitialPosition(game, firstMoveNumber)) {
    AppendTag(text, "SetUp", "1");
    AppendTag(text, "FEN", ToFen(game.startPosition, firstMoveNumber));
  }
  for (const auto& [name, value] : tags.others)
    if (IsOtherTagName(name) && !(name == "Variant" && game.startPosition.chess960)) AppendTag(text, name, value);
  text += '\n';
  std::vector<std::string> tokens = MovetextTokens(game, firstMoveNumber);
  tokens.push_back(result);
  for (const std::string& line : Wrapped(tokens, kLineWidth)) text += line + '\n';
  return text + '\n';
}
