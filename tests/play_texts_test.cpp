// The play mode's words for a person, at their edges: clocks around the
// minute, the hour and the tenths, scores and mates from the person's side,
// time controls as people write them, results by every reason, the lines
// of moves and the locale's glyphs.
#include "play/play_texts.h"

#include <gtest/gtest.h>

#include "board/fen.h"
#include "board/moves.h"
#include "board_test_util.h"

namespace {

TEST(PlayTexts, Clocks) {
  EXPECT_EQ(ClockText(3 * 3600000 + 2 * 60000 + 5000), "3:02:05");
  EXPECT_EQ(ClockText(3600000), "1:00:00");
  EXPECT_EQ(ClockText(3599999), "59:59");
  EXPECT_EQ(ClockText(300000), "5:00");
  EXPECT_EQ(ClockText(20000), "0:20");
  EXPECT_EQ(ClockText(19999), "0:19.9");
  EXPECT_EQ(ClockText(9050), "0:09.0");
  EXPECT_EQ(ClockText(1), "0:00.0");
  EXPECT_EQ(ClockText(0), "0:00.0");
  EXPECT_EQ(ClockText(-2500), "0:00.0");
}

TEST(PlayTexts, ScoresFromThePersonsSide) {
  EXPECT_EQ(PersonScoreText(35), "+0.35");
  EXPECT_EQ(PersonScoreText(-120), "-1.20");
  EXPECT_EQ(PersonScoreText(0), "0.00");
  EXPECT_EQ(PersonScoreText(-5), "-0.05");
  EXPECT_EQ(PersonScoreText(1234), "+12.34");
  // The search's mates: kInfinity (32000) less the plies to the mate.
  EXPECT_EQ(PersonScoreText(32000 - 3), "you mate in 2");
  EXPECT_EQ(PersonScoreText(32000 - 1), "you mate in 1");
  EXPECT_EQ(PersonScoreText(-(32000 - 4)), "Ravok mates in 2");
  EXPECT_EQ(PersonScoreText(-(32000 - 2)), "Ravok mates in 1");
}

TEST(PlayTexts, TimeControlsAsPeopleWriteThem) {
  std::string problem;
  const auto read = [&](const std::string& text) { return ReadTimeControlText(text, problem); };
  EXPECT_EQ(read("5+3"), (TimeControl{300000, 0, 0, 3000}));
  EXPECT_EQ(read("5"), (TimeControl{300000, 0, 0, 0}));
  EXPECT_EQ(read("0:30+1"), (TimeControl{30000, 0, 0, 1000}));
  EXPECT_EQ(read("1.5+0.5"), (TimeControl{90000, 0, 0, 500}));
  EXPECT_EQ(read("90+30"), (TimeControl{5400000, 0, 0, 30000}));
  for (const char* bad : {"", "+3", "0", "0+5", "0:00+1", "5x", "5+", "5+y", "5+-1", "-5+3", "2:5", "2:60", "1.5:30",
                          "1:30.5", "5..+1", "1441", "5+3601"}) {
    problem.clear();
    EXPECT_EQ(read(bad), std::nullopt) << bad;
    EXPECT_FALSE(problem.empty()) << bad;
  }
  EXPECT_EQ(TimeControlText(TimeControl{300000, 0, 0, 3000}), "5+3");
  EXPECT_EQ(TimeControlText(TimeControl{30000, 0, 0, 1000}), "0:30+1");
  EXPECT_EQ(TimeControlText(TimeControl{90000, 0, 0, 500}), "1:30+0.5");
  EXPECT_EQ(PgnTimeControl(TimeControl{300000, 0, 0, 3000}, true), "300+3");
  EXPECT_EQ(PgnTimeControl(TimeControl{90000, 0, 0, 125}, true), "90+0.125");
  EXPECT_EQ(PgnTimeControl(TimeControl{300000, 0, 0, 3000}, false), "-");
}

TEST(PlayTexts, ResultsInWordsFromEitherSide) {
  GamePosition p = GamePosition::Initial();
  EXPECT_EQ(ResultSentence(p, PersonAgainstRavok(kWhite)), "");
  const auto said = [&](uint32_t result, uint32_t reason, int you) {
    p.result = result;
    p.reason = reason;
    return ResultSentence(p, PersonAgainstRavok(you));
  };
  EXPECT_EQ(said(kWhiteWins, kReasonMate, kWhite), "Checkmate. You win.");
  EXPECT_EQ(said(kWhiteWins, kReasonMate, kBlack), "Ravok wins by checkmate.");
  EXPECT_EQ(said(kBlackWins, kReasonResignation, kWhite), "You resigned: Ravok wins.");
  EXPECT_EQ(said(kBlackWins, kReasonResignation, kBlack), "Ravok resigns: you win.");
  EXPECT_EQ(said(kWhiteWins, kReasonLossOnTime, kBlack), "Your time ran out: Ravok wins.");
  EXPECT_EQ(said(kWhiteWins, kReasonLossOnTime, kWhite), "Ravok's time ran out: you win.");
  p.sideToMove = kBlack;  // whose flag fell
  EXPECT_EQ(said(kGameDrawn, kReasonTimeoutDraw, kBlack),
            "Your time ran out, but Ravok could never checkmate with what it has: draw.");
  EXPECT_EQ(said(kGameDrawn, kReasonTimeoutDraw, kWhite),
            "Ravok's time ran out, but you could never checkmate with what you have: draw.");
  EXPECT_EQ(said(kGameDrawn, kReasonStalemate, kWhite), "Stalemate: draw.");
  EXPECT_EQ(said(kGameDrawn, kReasonRepetition, kWhite), "Draw by threefold repetition.");
  EXPECT_EQ(said(kGameDrawn, kReasonFiftyMoves, kWhite), "Draw by the fifty-move rule.");
  EXPECT_EQ(said(kGameDrawn, kReasonInsufficientMaterial, kWhite), "Draw: neither side has the pieces left to mate.");
  EXPECT_EQ(said(kGameDrawn, kReasonAgreement, kWhite), "Draw by agreement.");
  // A loaded game's result without a reason.
  EXPECT_EQ(said(kBlackWins, kReasonUnknown, kBlack), "The game is over: you won.");
  EXPECT_EQ(said(kGameDrawn, kReasonUnknown, kBlack), "The game is over: drawn.");
  EXPECT_EQ(said(kGameUndecided, kReasonUnknown, kBlack), "The game was left undecided.");

  // A loaded game's players: the person against a named player, or two
  // players neither of whom is the person, as in a set-up mate.
  const auto between = [&](uint32_t result, uint32_t reason, const Players& players) {
    p.result = result;
    p.reason = reason;
    return ResultSentence(p, players);
  };
  EXPECT_EQ(between(kBlackWins, kReasonMate, {"", "Bot"}), "Bot wins by checkmate.");
  EXPECT_EQ(between(kBlackWins, kReasonResignation, {"", "Bot"}), "You resigned: Bot wins.");
  EXPECT_EQ(between(kBlackWins, kReasonMate, {"White", "Black"}), "Checkmate: White is mated.");
  EXPECT_EQ(between(kBlackWins, kReasonUnknown, {"Me", "Bot"}), "The game is over: Bot won.");
  EXPECT_EQ(between(kWhiteWins, kReasonResignation, {"Me", "Bot"}), "Bot resigned: Me wins.");
  EXPECT_EQ(between(kGameDrawn, kReasonStalemate, {"White", "Black"}), "Stalemate: draw.");
}

// The person's side in a loaded game: named like them, else not Ravok's,
// else the side to move.
TEST(PlayTexts, SideOfALoadedGame) {
  using Why = SideChoice::Why;
  const std::vector<std::string> person = {"You", "ann"};
  const auto chosen = [&](const char* white, const char* black, int toMove) {
    const SideChoice choice = ChooseSide(white, black, toMove, person);
    return std::pair(choice.side, choice.why);
  };
  EXPECT_EQ(chosen("Bot", "Ann", kWhite), std::pair(int(kBlack), Why::kNamed));
  EXPECT_EQ(chosen(" you ", "Ravok", kBlack), std::pair(int(kWhite), Why::kNamed));
  EXPECT_EQ(chosen("Ravok", "Bob", kWhite), std::pair(int(kBlack), Why::kAgainstRavok));
  EXPECT_EQ(chosen("Me", "Bot", kBlack), std::pair(int(kBlack), Why::kToMove));
  EXPECT_EQ(chosen("ann", "You", kWhite), std::pair(int(kWhite), Why::kToMove));  // both like the person
  EXPECT_EQ(chosen("?", "?", kBlack), std::pair(int(kBlack), Why::kToMove));
}

TEST(PlayTexts, LinesInSanUpToTheFirstIllegalMove) {
  Game game;
  board_test::Play(game, {"e2e4", "e7e5"});
  const Move e4 = game.moves[0], e5 = game.moves[1];
  EXPECT_EQ(SanLine(game.startPosition, {e4, e5}), "e4 e5");
  // e2-e4 again where Black is to move: the line ends before it.
  EXPECT_EQ(SanLine(game.startPosition, {e4, e4, e5}), "e4");
  const GamePosition mate = ParseFen("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1");
  EXPECT_EQ(SanLine(mate, {ParseMove(mate, "a1a8")}), "Ra8#");
}

TEST(PlayTexts, GlyphsFromTheLocale) {
  EXPECT_EQ(GlyphsForLocale(nullptr, nullptr, "en_US.UTF-8"), PieceGlyphs::kUnicode);
  EXPECT_EQ(GlyphsForLocale(nullptr, nullptr, "de_DE.utf8"), PieceGlyphs::kUnicode);
  EXPECT_EQ(GlyphsForLocale(nullptr, "C.UTF-8", "C"), PieceGlyphs::kUnicode);
  // The first variable that is set decides, even against a later UTF-8.
  EXPECT_EQ(GlyphsForLocale("C", "C.UTF-8", "en_US.UTF-8"), PieceGlyphs::kAscii);
  EXPECT_EQ(GlyphsForLocale("", "", "en_US.UTF-8"), PieceGlyphs::kUnicode);
  EXPECT_EQ(GlyphsForLocale(nullptr, nullptr, "POSIX"), PieceGlyphs::kAscii);
  EXPECT_EQ(GlyphsForLocale(nullptr, nullptr, nullptr), PieceGlyphs::kAscii);
  EXPECT_EQ(Printable(std::string("a\x01\x7f\xc3\xa9", 5), 10), "a??\xc3\xa9");
  EXPECT_EQ(Printable("abcdef", 3), "abc...");
}

}  // namespace
