#include "frontend/replies.h"

#include "base/protocol_words.h"
#include "board/game.h"

namespace {

std::string JoinedWords(const WordList& words) {
  std::string text;
  for (const std::string& word : words) text += " " + word;
  return text;
}

const char* ResultCodeText(uint32_t result) {
  switch (result) {
    case kWhiteWins: return "1-0";
    case kBlackWins: return "0-1";
    case kGameDrawn: return "1/2-1/2";
    default: return "";
  }
}

}  // namespace

std::string ErrorText(const std::string& reason, const WordList& words) {
  return std::string(Word(kWordError)) + " (" + reason + "):" + JoinedWords(words);
}

std::string IllegalMoveText(const std::string& reason, const WordList& words) {
  std::string text = Word(kWordIllegalMove);
  if (!reason.empty()) text += " (" + reason + ")";
  return text + ":" + JoinedWords(words);
}

std::string ResultText(const Game& game, bool xboard) {
  const std::string result = ResultCodeText(game.currentPosition.result);
  const std::string reason = game.GameOverReasonText();
  if (xboard) return result + " {" + reason + "}";
  return std::string(Word(kWordGameOver)) + ": " + result + " " + reason;
}

const std::vector<std::string>& HelpLines() {
  static const std::vector<std::string> lines = {
      "",
      "analyze.........activates analyze mode (exit to leave)",
      "go..............ravok should play active side",
      "ponder on|off...set pondering",
      "display.........display board",
      "edit............edit position (end to leave edit move)",
      "tb..............takes back last move",
      "new.............starts new game",
      "vartime.........sets variable time limit",
      "abstime.........sets absolute time limit",
      "depth...........sets maximum search depth",
      "?...............ravok should move now",
      "quit............terminates programm",
      "",
  };
  return lines;
}
