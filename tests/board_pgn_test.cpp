// PGN: the exact export text, save then load gives the same game, what the
// reader skips and how it settles the result, a message for every kind of
// bad text, and the whole-or-nothing file write.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/platform.h"
#include "board/game_file.h"
#include "board/move_advice.h"
#include "board/moves.h"
#include "board/san.h"
#include "board_test_util.h"

using namespace board_test;

namespace {

using Strings = std::vector<std::string>;

// A fresh folder for the test's files.
std::string TemporaryFolder() {
  const std::string stem = "ravok-pgn-" + std::to_string(ProcessNumber()) + "-";
  for (int n = 0;; ++n) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / (stem + std::to_string(n));
    if (std::filesystem::create_directory(path)) return path.string();
  }
}

// The variable that names the person's home folder, and a change of it.
#ifdef _WIN32
constexpr const char* kHomeVariable = "USERPROFILE";
void SetVariable(const char* name, const char* value) { _putenv_s(name, value != nullptr ? value : ""); }
#else
constexpr const char* kHomeVariable = "HOME";
void SetVariable(const char* name, const char* value) {
  if (value != nullptr)
    setenv(name, value, 1);
  else
    unsetenv(name);
}
#endif

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Plays SAN or coordinate words on the game.
void PlayWords(Game& game, const Strings& words) {
  for (const std::string& word : words) game.PlayMove(ReadTypedMove(game.currentPosition, word).move);
}

// A long game: each move the (ply * 7)-th legal move, round the list.
Game LongGame(int plies) {
  Game game;
  for (int ply = 0; ply < plies && game.currentPosition.result == kGameRunning; ++ply) {
    const std::vector<Move> legal = LegalMoves(game.currentPosition);
    game.PlayMove(legal[size_t(ply * 7) % legal.size()]);
  }
  return game;
}

void ExpectSameGame(const Game& read, const Game& written) {
  EXPECT_EQ(read.startPosition, written.startPosition);
  EXPECT_EQ(read.moves, written.moves);
  GamePosition expected = written.currentPosition;
  if (expected.reason == kReasonResignation) expected.reason = kReasonUnknown;  // read back as a plain result
  EXPECT_EQ(read.currentPosition, expected);
}

TEST(Pgn, WritesTheExportForm) {
  Game game = GameFrom("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");
  PlayWords(game, {"e5", "Nf3", "Nc6", "Bb5"});
  PgnTags tags;
  tags.event = "Club \"night\"";
  tags.white = "A\\B\tC";
  tags.date = "2024.05.17";
  tags.timeControl = "300+2";
  tags.others = {{"Annotator", "Ravok"}, {"Bad Name", "x"}, {"Result", "0-1"}};
  EXPECT_EQ(PgnText(game, tags),
            "[Event \"Club \\\"night\\\"\"]\n[Site \"?\"]\n[Date \"2024.05.17\"]\n[Round \"?\"]\n"
            "[White \"A\\\\B C\"]\n[Black \"?\"]\n[Result \"*\"]\n[TimeControl \"300+2\"]\n[SetUp \"1\"]\n"
            "[FEN \"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1\"]\n[Annotator \"Ravok\"]\n\n"
            "1... e5 2. Nf3 Nc6 3. Bb5 *\n\n");
  game.currentPosition.result = kBlackWins;  // White resigns
  tags = PgnTags();
  tags.firstMoveNumber = 23;
  EXPECT_NE(PgnText(game, tags).find("[FEN \"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 23\"]\n\n"
                                     "23... e5 24. Nf3 Nc6 25. Bb5 0-1\n\n"),
            std::string::npos);
  const std::string initial = PgnText(Game(), PgnTags());
  EXPECT_EQ(initial.find("SetUp"), std::string::npos);
  EXPECT_EQ(initial.substr(initial.size() - 5), "\n\n*\n\n");
}

TEST(Pgn, SaveThenLoadGivesTheSameGame) {
  std::vector<std::pair<Game, PgnTags>> games;
  Game game;  // en passant, a promotion with check, castling
  PlayWords(game, {"e4", "d5", "exd5", "c5", "dxc6", "Nf6", "cxb7", "Qd7", "bxc8=Q+", "Qd8", "Qxd8+", "Kxd8", "Nf3",
                   "Nc6", "Be2", "e5", "O-O", "Bd6", "d4"});
  games.push_back({game, PgnTags()});
  Game mated;
  PlayWords(mated, {"f3", "e5", "g4", "Qh4#"});
  ASSERT_EQ(mated.currentPosition.reason, kReasonMate);
  games.push_back({mated, PgnTags()});
  Game setUp = GameFrom("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 7 40");
  PlayWords(setUp, {"O-O-O", "O-O"});
  PgnTags named;
  named.white = "Ravok";
  named.black = "Person \"P\"";
  named.firstMoveNumber = 40;
  named.others = {{"Annotator", "A\\B"}};
  games.push_back({setUp, named});
  Game resigned = LongGame(200);
  resigned.currentPosition.result = kWhiteWins;
  resigned.currentPosition.reason = kReasonResignation;
  games.push_back({resigned, PgnTags()});
  // Chess960: the king onto its rook's square (f1-g1, rook g1-f1), then
  // the king staying on g8 while its rook goes h8-f8... and back to SAN.
  Game chess960;
  chess960.SetupPosition(ParseFen("1r4kr/6p1/8/8/8/8/6P1/1R3KR1 w GBhb - 0 1", true));
  PlayWords(chess960, {"O-O", "O-O", "Rb2"});
  const std::string chess960Text = PgnText(chess960, PgnTags());
  EXPECT_NE(chess960Text.find("[Variant \"Chess960\"]\n[SetUp \"1\"]\n[FEN \"1r4kr/6p1/8/8/8/8/6P1/1R3KR1 w GBhb - 0 1\"]"),
            std::string::npos)
      << chess960Text;
  EXPECT_NE(chess960Text.find("1. O-O O-O 2. Rb2"), std::string::npos) << chess960Text;
  games.push_back({chess960, PgnTags()});

  const std::string folder = TemporaryFolder();
  for (const auto& [game, tags] : games) {
    const std::string path = folder + "/game.pgn";
    ASSERT_EQ(SaveTextFile(path, PgnText(game, tags)), std::nullopt);
    std::istringstream lines(FileText(path));
    for (std::string line; std::getline(lines, line);) EXPECT_LT(line.size(), 80u) << line;
    const PgnReadResult read = LoadGame(path);
    ASSERT_EQ(read.error, "") << FileText(path);
    ExpectSameGame(read.game, game);
    EXPECT_EQ(PgnText(read.game, read.tags), FileText(path));
  }
  std::filesystem::remove_all(folder);
}

TEST(Pgn, ReadsPastCommentsNagsVariationsAndEscapes) {
  const PgnReadResult read = ReadPgn(
      "% an escape line\n[Event \"E\"] [Site \"S\"]\n[Opening \"Open (Game)\"]\n\n"
      "1.e4 {best (by test)} e5 $1 2. Nf3! ; a comment to the end of the line 3. Nc3\n"
      "2... Nc6 (2... d6 {Philidor} (2... Nf6 3. Nxe5) 3. d4) 3. Bb5 a6?! 4... . 1-0\n"
      "[Event \"the next game\"]\n\n1. d4 *\n");
  ASSERT_EQ(read.error, "");
  EXPECT_EQ(SanMoves(read.game), (Strings{"e4", "e5", "Nf3", "Nc6", "Bb5", "a6"}));
  EXPECT_EQ(read.tags.event, "E");
  EXPECT_EQ(read.tags.site, "S");
  EXPECT_EQ(read.tags.others, (std::vector<std::pair<std::string, std::string>>{{"Opening", "Open (Game)"}}));
  EXPECT_EQ(read.game.currentPosition.result, kWhiteWins);
}

TEST(Pgn, SettlesTheResultBetweenTheTextAndTheBoard) {
  const struct {
    const char* text;
    uint32_t result;
    uint32_t reason;
  } kCases[] = {
      {"1. e4 e5", kGameRunning, kReasonUnknown},
      {"[Result \"1/2-1/2\"]\n1. e4 e5", kGameDrawn, kReasonUnknown},
      {"1. f3 e5 2. g4 Qh4# *", kBlackWins, kReasonMate},
      {"1. f3 e5 2. g4 Qh4# 0-1", kBlackWins, kReasonMate},
      // Played on past an unclaimed threefold repetition, then resigned.
      {"1. Nf3 Nf6 2. Ng1 Ng8 3. Nf3 Nf6 4. Ng1 Ng8 5. e4 Nf6 6. Nf3 0-1", kBlackWins, kReasonUnknown},
      {"1. Nf3 Nf6 2. Ng1 Ng8 3. Nf3 Nf6 4. Ng1 Ng8 *", kGameDrawn, kReasonRepetition},
  };
  for (const auto& c : kCases) {
    const PgnReadResult read = ReadPgn(c.text);
    ASSERT_EQ(read.error, "") << c.text;
    EXPECT_EQ(read.game.currentPosition.result, c.result) << c.text;
    EXPECT_EQ(read.game.currentPosition.reason, c.reason) << c.text;
  }
}

TEST(Pgn, NamesTheProblemOfABadText) {
  const struct {
    std::string text;
    const char* error;
  } kCases[] = {
      {"", "no game found: no tags, no moves, no result"},
      {" \n; nothing\n", "no game found: no tags, no moves, no result"},
      {"[Event \"x\"\n1. e4 e5", "line 1: the Event tag is not closed by ']'"},
      {"[Site \"x\"]\n[White \"abc]\n", "line 2: the White tag's value is not closed by '\"'"},
      {"[White abc]", "line 1: the White tag has no value in quotes"},
      {"[ \"abc\"]", "line 1: a tag without a name"},
      {"[Result \"2-0\"]", "line 1: the Result tag \"2-0\" is not 1-0, 0-1, 1/2-1/2 or *"},
      {"[SetUp \"1\"]\n\n1. e4 *", "the SetUp tag is 1 but there is no FEN tag"},
      {"[FEN \"8/8/8/8/8/8/8/8 w - - 0 1\"]", "the FEN tag: White has no king"},
      {"[FEN \"8/8/8/8/8/8/8/8 x - - 0 1\"]", "the FEN tag: the side to move (second field) must be w or b, not 'x'"},
      {"1. e4 e5 2. Nf3 Nf3 *", "move 2... Nf3 is not legal: no knight can go to f3"},
      {"1. e4 e5 2. Nc3 Nc6 3. Ne2 *", "move 3. Ne2 is ambiguous: Nce2 or Nge2?"},
      {"1. f3 e5 2. g4 Qh4# 3. e4", "move 3. e4 is not legal: the game is over"},
      {"1. e4 e5 2. xyz", "move 2. xyz is not a move"},
      {"1. e4 \x01\x02 *", "move 1... ?? is not a move"},
      {"1. e4 { no end", "line 1: a comment '{' is not closed"},
      {"1. e4 (1. d4 d5", "a variation '(' is not closed"},
      {"1. e4\n) e5", "line 2: ')' closes no variation"},
      {"1. e4 $ e5", "line 1: '$' without a number"},
      {"1. e4 } e5", "line 1: unexpected '}'"},
      {"[Result \"1-0\"]\n\n1. e4 0-1", "the Result tag says 1-0 but the moves end with 0-1"},
      {"1. f3 e5 2. g4 Qh4# 1-0", "the result 1-0 does not fit the final position, mate: 0-1"},
  };
  for (const auto& c : kCases) {
    const PgnReadResult read = ReadPgn(c.text);
    EXPECT_EQ(read.error, c.error) << c.text;
    EXPECT_TRUE(read.game.moves.empty()) << c.text;
  }
}

TEST(GameFile, LoadsAFileOrAFenAndNamesWhatFails) {
  const std::string folder = TemporaryFolder();
  const std::string fen = "4k3/8/8/8/8/8/8/4K2R w K - 3 17";
  ASSERT_EQ(SaveTextFile(folder + "/position.fen", fen + "\n"), std::nullopt);
  ASSERT_EQ(SaveTextFile(folder + "/bad.pgn", "1. e4 e5 2. xyz\n"), std::nullopt);
  for (const std::string& source : {fen, folder + "/position.fen"}) {
    const PgnReadResult read = LoadGame(source);
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.game.startPosition, ParseFen(fen));
    EXPECT_EQ(read.tags.firstMoveNumber, 17);
  }
  const struct {
    std::string source;
    std::string error;
  } kCases[] = {
      {" ", "no file or FEN given"},
      // A FEN's problem in plain words, naming the field.
      {"4k3/8/8/8/8/8/8/4K2R x K - 3 17", "in the FEN, the side to move (second field) must be w or b, not 'x'"},
      {"4k3/8/8/8/8/8/8/4K2R w K - 3 17 9",
       "the FEN has 7 fields, more than six: board, side to move, castling rights, en-passant square, half-move "
       "clock and move number"},
      {"4k3/8/8/8/8/8/8/4K3",
       "the FEN has only the board: the side to move (w or b), the castling rights (KQkq, some of them, or -) and "
       "the en-passant square (- or a square such as e3) must follow it"},
      {"4k3/8/8/8/8/8/8/4K3 b", "the FEN ends after the side to move: the castling rights (KQkq, some of them, or -) "
                                 "and the en-passant square (- or a square such as e3) must follow"},
      {"4k3/8/8/8/8/8/8/4K2R w Q -",
       "in the FEN, the castling rights (third field) give Q, but White has no king on e1 and rook on a1 to castle "
       "with"},
      {"4k3/8/8/8/8/8/8/4K2R w KX -",
       "in the FEN, the castling rights (third field) must be K, Q, k, q or -, not 'KX'"},
      {"4k3/8/8/8/8/8/8/4K2X w - -",
       "in the FEN, the board (first field) has 'X', which is no piece: KQRBNP for White, kqrbnp for Black, digits "
       "for empty squares, / between ranks"},
      {"4k3/8/8/8/8/8/8/4K3/8 w - -", "in the FEN, the board (first field) has more than eight ranks"},
      {"4k3/8/8/8/8/8/8/4K3 w - e9", "in the FEN, the en-passant square (fourth field) must be - or a square such as "
                                     "e3 or e6, not 'e9'"},
      {"4k3/8/8/8/8/8/8/4K3 w - e6",
       "in the FEN, the en-passant square e6 (fourth field) is not the square a black pawn has just passed over "
       "with a double step"},
      {"4k3/8/8/8/8/8/8/4K3 w - - 101 1",
       "in the FEN, the half-move clock (fifth field) must be a number from 0 to 100, not '101'"},
      {"4k3/8/8/8/8/8/8/4K3 w - - 0 0",
       "in the FEN, the move number (sixth field) must be a number from 1 on, not '0'"},
      {"4k3/4R3/8/8/8/8/8/4K3 w - - 0 1", "in the FEN, Black's king is in check with White to move, which no game "
                                          "can reach"},
      {"4k2P/8/8/8/8/8/8/4K3 w - - 0 1",
       "in the FEN, a white pawn stands on the eighth rank, where no pawn can stand"},
      {folder + "/missing.pgn", "cannot read " + folder + "/missing.pgn: No such file or directory"},
      {folder, "cannot read " + folder + ": not a regular file"},
      {folder + "/bad.pgn", folder + "/bad.pgn: move 2. xyz is not a move"},
  };
  for (const auto& c : kCases) EXPECT_EQ(LoadGame(c.source).error, c.error) << c.source;

  // "~" is the home folder.
  const char* home = std::getenv(kHomeVariable);
  const std::string kept = home != nullptr ? home : "";
  SetVariable(kHomeVariable, folder.c_str());
  EXPECT_EQ(LoadGame(WithHomeFolder("~/position.fen")).error, "");
  EXPECT_EQ(WithHomeFolder("~"), folder);
  EXPECT_EQ(WithHomeFolder("a/~/b"), "a/~/b");
  EXPECT_EQ(WithHomeFolder("~no-such-account-here/x"), "~no-such-account-here/x");
  SetVariable(kHomeVariable, home != nullptr ? kept.c_str() : nullptr);
  std::filesystem::remove_all(folder);
}

TEST(GameFile, WritesWholeOrNotAtAll) {
  const std::string folder = TemporaryFolder();
  const std::string path = folder + "/game.pgn";
  ASSERT_EQ(SaveTextFile(path, "old"), std::nullopt);
  ASSERT_EQ(SaveTextFile(path, "new text"), std::nullopt);
  EXPECT_EQ(FileText(path), "new text");
  std::filesystem::create_directory(folder + "/sub");
  EXPECT_EQ(SaveTextFile(folder + "/sub", "text"), "cannot write " + folder + "/sub: Is a directory");
  EXPECT_EQ(SaveTextFile(folder + "/none/game.pgn", "text"),
            "cannot write " + folder + "/none/game.pgn: No such file or directory");
  EXPECT_EQ(SaveTextFile("", "text"), "no file name given");
  // Only the written file and the folder are left: no temporary file.
  Strings names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Strings{"game.pgn", "sub"}));
  std::filesystem::remove_all(folder);
}

}  // namespace
