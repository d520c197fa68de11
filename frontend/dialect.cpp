#include "frontend/dialect.h"

#include "base/protocol_words.h"
#include "board/moves.h"
#include "frontend/replies.h"
#include "frontend/thinking_output.h"

namespace {

std::string Sentence(ProtocolWord word) { return std::string(Word(word)) + "."; }

std::string EngineSays(ProtocolWord word) { return std::string(Word(kWordEngineName)) + " " + Word(word); }

}  // namespace

bool Dialect::EnterXboard() {
  if (xboard_) return false;
  xboard_ = true;
  return true;
}

std::optional<std::string> Dialect::Note(ConsoleNote note) const {
  if (xboard_) return std::nullopt;
  switch (note) {
    case ConsoleNote::kEmptyLine: return Sentence(kWordOk);
    case ConsoleNote::kRestartingAnalysis: return Word(kWordRestartingAnalyze);
    case ConsoleNote::kCannotTakeBack: return Sentence(kWordCannotTakeBack);
    case ConsoleNote::kPredictedMoveMade: return Sentence(kWordPredictedMoveMade);
    case ConsoleNote::kAnalysisComplete: return Sentence(kWordAnalyzeComplete);
    case ConsoleNote::kPonderingComplete: return Sentence(kWordPonderingComplete);
    case ConsoleNote::kPonderingEnabled:
    case ConsoleNote::kPonderingDisabled: break;
  }
  return std::string(Word(kWordPondering)) + " " +
         Word(note == ConsoleNote::kPonderingEnabled ? kWordEnabled : kWordDisabled);
}

std::vector<std::string> Dialect::MoveTexts(const std::vector<Move>& moves, bool chess960) const {
  return ::MoveTexts(moves, xboard_, chess960);
}

std::string Dialect::ResultLine(const Game& game) const { return ResultText(game, xboard_); }

std::string Dialect::MoveLine(const std::string& mover, const std::string& text, std::optional<int64_t> seconds) const {
  if (xboard_) return std::string(Word(kWordMoveWord)) + " " + text;
  std::string line = mover + " " + Word(kWordPlayed) + ": " + text;
  if (seconds) line += std::string(" (") + Word(kWordTimeUsed) + ": " + std::to_string(*seconds) + " sec)";
  return line;
}

// The search's times are readings of the monotonic clock, like its start.
std::optional<std::string> Dialect::ThinkingLine(const SearchInfo& info, TimePoint now, bool post,
                                                 bool chess960) const {
  const std::vector<std::string> texts = MoveTexts(info.pvMoves, chess960);
  if (!xboard_) return ConsoleThinkingLine(info, texts, now);
  if (post) return PostLineText(info, texts, now, protocolVersion_);
  return std::nullopt;
}

std::string Dialect::EngineDrawOffer() const {
  return xboard_ ? Word(kWordOfferDraw) : EngineSays(kWordHasOfferedADraw);
}

std::optional<std::string> Dialect::OpponentDrawOffer(const std::string& name) const {
  if (xboard_) return std::nullopt;
  return name + " " + Word(kWordHasOfferedADraw);
}

std::optional<std::string> Dialect::DrawAnswer(bool accepted, const std::string& name) const {
  if (xboard_) return accepted ? std::optional<std::string>(Word(kWordOfferDraw)) : std::nullopt;
  return accepted ? EngineSays(kWordAcceptsRemisOffer) : name + " " + Word(kWordDeclinesRemisOffer);
}

std::string Dialect::Resignation() const { return xboard_ ? Word(kWordResign) : EngineSays(kWordHasResigned); }

std::optional<std::string> Dialect::NotYourTurn(const std::string& mover) const {
  if (xboard_) return std::nullopt;
  return std::string(Word(kWordNotYourTurn)) + ", " + mover;
}

std::string Dialect::UnreadableMoveReply(const std::vector<std::string>& words, bool knownCommand) const {
  if (protocolVersion_ < 2 || LooksLikeMove(words.front())) return IllegalMoveText("", words);
  return ErrorText(knownCommand ? Word(kWordInvalidCommand) : "unknown command", words);
}

bool LooksLikeMove(const std::string& word) {
  Square from = 0, to = 0;
  return word.size() >= 4 && ReadSquareName(word[0], word[1], from) && ReadSquareName(word[2], word[3], to);
}
