// SAN: every legal move of the reference positions to depth two is written
// uniquely, with the least disambiguation the reader accepts, and reads back
// as its move word, also through the typed-move reader; the check and mate marks add up to the published perft
// counts; tables of written, accepted and refused texts cover the rest.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "board/move_advice.h"
#include "board/moves.h"
#include "board/san.h"
#include "board_test_util.h"

using namespace board_test;

namespace {

// The move word of the SAN text, 0 when the reader refuses it.
Move Read(const GamePosition& p, const std::string& text) {
  try {
    return ParseSanMove(p, text);
  } catch (const GameError&) {
    return 0;
  }
}

// Every legal move found the slow way: each from, to and promotion piece.
std::vector<Move> AllLegalWords(const GamePosition& p) {
  std::set<Move> words;
  for (Square from = 0; from < 64; ++from)
    for (Square to = 0; to < 64; ++to)
      for (int promotion = kKnight; promotion <= kQueen; ++promotion)
        if (const Move m = BuildMoveWord(p, from, to, promotion); IsLegalMove(p, m)) words.insert(m);
  return {words.begin(), words.end()};
}

// A piece move's text with the given disambiguation (-1: none).
std::string PieceText(int type, int file, int rank, bool capture, Square to) {
  std::string text(1, kPieceLetters[type]);
  if (file >= 0) text += char('a' + file);
  if (rank >= 0) text += char('1' + rank);
  if (capture) text += 'x';
  return text + char('a' + FileOf(to)) + char('1' + RankOf(to));
}

// The disambiguations that say less than the written one, or as much but
// with the rank where the file would do: the reader must refuse them all,
// so the writer's is the least one that makes the move unique.
std::vector<std::string> WeakerTexts(Move m, const SanText& written) {
  if (written.piece == kPawn || written.castling) return {};
  const int file = FileOf(MoveFrom(m)), rank = RankOf(MoveFrom(m));
  std::vector<std::pair<int, int>> weaker;
  if (written.fromFile >= 0 || written.fromRank >= 0) weaker.push_back({-1, -1});
  if (written.fromRank >= 0) weaker.push_back({file, -1});
  if (written.fromFile >= 0 && written.fromRank >= 0) weaker.push_back({-1, rank});
  std::vector<std::string> texts;
  for (auto [f, r] : weaker) texts.push_back(PieceText(written.piece, f, r, written.captureMark, MoveTo(m)));
  return texts;
}

std::string Without(std::string text, char c) {
  text.erase(text.find(c), 1);
  return text;
}

// Checks every legal move down to `depth` plies; counts the moves checked.
void CheckEveryMove(const GamePosition& p, int depth, uint64_t& checked) {
  const std::vector<Move> legal = LegalMoves(p);
  EXPECT_EQ(legal.size(), AllLegalWords(p).size()) << ToFen(p);
  std::set<std::string> texts;
  for (Move m : legal) {
    const std::string san = SanMoveText(p, m);
    texts.insert(san);
    SanText written;
    ASSERT_TRUE(ReadSanText(san, written)) << san;
    const std::string bare = san.substr(0, san.find_first_of("+#"));
    const Move coordinate = ParseMove(p, CoordinateMoveText(m));
    std::vector<std::string> read = {san, bare}, refused = WeakerTexts(m, written);
    if (MoveCaptured(m) != 0) read.push_back(Without(bare, 'x'));
    if (MovePiece(m) == kPawn && MoveSpecial(m) != 0) read.push_back(Without(bare, '='));
    if (MoveCaptured(m) == 0 && MoveSpecial(m) == 0)
      refused.push_back(bare.substr(0, bare.size() - 2) + 'x' + bare.substr(bare.size() - 2));
    for (const std::string& text : read) EXPECT_EQ(Read(p, text), coordinate) << ToFen(p) << " " << text;
    // The typed-move reader finds it too, from the pseudo-legal list.
    EXPECT_EQ(ReadTypedMove(p, san).move, coordinate) << ToFen(p) << " " << san;
    EXPECT_EQ(ReadTypedMove(p, CoordinateMoveText(m)).move, coordinate) << ToFen(p) << " " << san;
    for (const std::string& text : refused) EXPECT_EQ(Read(p, text), 0u) << ToFen(p) << " " << san << " " << text;
    ++checked;
    if (depth > 1) {
      GamePosition child = p;
      ApplyMove(child, m);
      CheckEveryMove(child, depth - 1, checked);
    }
  }
  EXPECT_EQ(texts.size(), legal.size()) << "the writer gave two moves one text in " << ToFen(p);
}

TEST(San, WritesEveryLegalMoveOfTheReferencePositionsSoThatTheReaderReadsItBack) {
  const struct {
    const char* fen;
    uint64_t moves;  // legal moves at depths one and two
  } kReferences[] = {
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 20 + 400},
      {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 48 + 2039},
      {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 14 + 191},
      {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 6 + 264},
      {"r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1", 6 + 264},
      {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 44 + 1486},
      {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", 46 + 2079},
  };
  for (const auto& r : kReferences) {
    uint64_t checked = 0;
    CheckEveryMove(ParseFen(r.fen), 2, checked);
    EXPECT_EQ(checked, r.moves) << r.fen;
  }
  // Three queens reach e1 and two reach h4 or e4: file, rank and both.
  uint64_t checked = 0;
  CheckEveryMove(ParseFen("8/8/1k6/8/4Q2Q/8/8/K6Q w - - 0 1"), 2, checked);
}

// Counts the leaf moves written with "+" or "#" and with "#" alone.
void CountMarks(const GamePosition& p, int depth, uint64_t& checks, uint64_t& mates) {
  for (Move m : LegalMoves(p)) {
    if (depth == 1) {
      const char mark = SanMoveText(p, m).back();
      checks += mark == '+' || mark == '#';
      mates += mark == '#';
      continue;
    }
    GamePosition child = p;
    ApplyMove(child, m);
    CountMarks(child, depth - 1, checks, mates);
  }
}

// The check and mate counts of the published perft tables: discovered
// checks, en-passant and promotion checks, mates by castling and by pawns.
TEST(San, CheckAndMateMarksAddUpToThePublishedPerftCounts) {
  const struct {
    const char* fen;
    int depth;
    uint64_t checks, mates;
  } kReferences[] = {
      {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 4, 1680, 17},
      {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 3, 38, 22},
      {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 3, 993, 1},
  };
  for (const auto& r : kReferences) {
    uint64_t checks = 0, mates = 0;
    CountMarks(ParseFen(r.fen), r.depth, checks, mates);
    EXPECT_EQ(checks, r.checks) << r.fen;
    EXPECT_EQ(mates, r.mates) << r.fen;
  }
}

const char* const kInitial = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const char* const kKnights = "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1";         // b1 and f3 reach d2
const char* const kRooks = "k7/8/8/8/8/4R3/8/4RK2 w - - 0 1";             // e1 and e3 reach e2
const char* const kQueens = "8/8/1k6/8/4Q2Q/8/8/K6Q w - - 0 1";           // e4, h4 and h1 reach e1
const char* const kPinned = "4k3/4r3/8/8/8/5N2/4N3/4K3 w - - 0 1";        // the e2 knight is pinned
const char* const kPromotion = "3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1";
const char* const kBlackPromotion = "4k3/8/8/8/8/8/p7/1N2K3 b - - 0 1";
const char* const kCastling = "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1";
const char* const kBlackCastling = "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R b KQkq - 0 1";
const char* const kThroughCheck = "4kr2/8/8/8/8/8/8/R3K2R w KQ - 0 1";     // f1 attacked
const char* const kInCheck = "4r1k1/8/8/8/8/8/8/R3K2R w KQ - 0 1";
const char* const kQueenSideOnly = "4k3/8/8/8/8/8/8/R3K2R w Q - 0 1";
const char* const kEnPassant = "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1";
const char* const kPawnOrBishop = "4k3/8/8/8/8/2n5/1P1B4/4K3 w - - 0 1";  // b2 and d2 take c3
const char* const kBackRank = "3k4/8/3K4/8/8/8/8/R7 w - - 0 1";

TEST(San, WritesTheStandardTexts) {
  const struct {
    const char* fen;
    const char* coordinate;
    const char* san;
  } kCases[] = {
      {kInitial, "e2e4", "e4"},           {kInitial, "g1f3", "Nf3"},          {kKnights, "b1d2", "Nbd2"},
      {kKnights, "f3h4", "Nh4"},          {kRooks, "e1e2", "R1e2"},           {kQueens, "h4e1", "Qh4e1"},
      {kQueens, "e4e1", "Qee1"},          {kQueens, "h1e1", "Q1e1"},          {kPinned, "f3d4", "Nd4"},
      {kPromotion, "e7e8q", "e8=Q+"},     {kPromotion, "e7d8n", "exd8=N"},    {kBlackPromotion, "a2b1q", "axb1=Q+"},
      {kCastling, "e1c1", "O-O-O"},       {kBlackCastling, "e8g8", "O-O"},    {kEnPassant, "e5d6", "exd6"},
      {kPawnOrBishop, "b2c3", "bxc3"},    {kPawnOrBishop, "d2c3", "Bxc3"},    {kBackRank, "a1a8", "Ra8#"},
  };
  for (const auto& c : kCases) {
    const GamePosition p = ParseFen(c.fen);
    EXPECT_EQ(SanMoveText(p, ParseMove(p, c.coordinate)), c.san) << c.fen;
  }
  EXPECT_EQ(ThrownMessage([] { SanMoveText(ParseFen(kInitial), MakeMoveWord(E2, E5, kPawn)); }), "Invalid move.");
}

TEST(SanReader, AcceptsAndRefusesByTheTable) {
  const struct {
    const char* fen;
    std::string san;
    const char* coordinate;  // nullptr: refused with "Invalid move."
  } kCases[] = {
      {kInitial, "e4", "e2e4"}, {kInitial, "e3!", "e2e3"}, {kInitial, "Nf3", "g1f3"}, {kInitial, "Ng1f3", "g1f3"},
      {kInitial, "Nc3?!", "b1c3"}, {kInitial, "a4+", "a2a4"},  // marks are not checked
      {kInitial, "", nullptr}, {kInitial, "e", nullptr}, {kInitial, "+", nullptr}, {kInitial, "junk", nullptr},
      {kInitial, "e5", nullptr}, {kInitial, "e2e4", nullptr}, {kInitial, "ee4", nullptr}, {kInitial, "E4", nullptr},
      {kInitial, "Pe4", nullptr}, {kInitial, "nf3", nullptr}, {kInitial, "NF3", nullptr}, {kInitial, "Nf3 ", nullptr},
      {kInitial, " e4", nullptr}, {kInitial, "Nxf3", nullptr}, {kInitial, "xe4", nullptr}, {kInitial, "e4=Q", nullptr},
      {kInitial, "e4Q", nullptr}, {kInitial, "Ni9", nullptr}, {kInitial, "Nz3", nullptr}, {kInitial, "N", nullptr},
      {kInitial, "Nf", nullptr}, {kInitial, "Nf3f3", nullptr}, {kInitial, "Ke2", nullptr}, {kInitial, "O-O", nullptr},
      {kInitial, "O-O-O", nullptr}, {kInitial, "Bf1", nullptr}, {kInitial, "Nh1f3", nullptr},
      {kInitial, std::string("e4\0", 3), nullptr}, {kInitial, "e4\xff", nullptr},
      // Disambiguation: enough of it, more than enough, too little, wrong.
      {kKnights, "Nd2", nullptr}, {kKnights, "Nbd2", "b1d2"}, {kKnights, "Nfd2", "f3d2"}, {kKnights, "N1d2", "b1d2"},
      {kKnights, "N3d2", "f3d2"}, {kKnights, "Nb1d2", "b1d2"}, {kKnights, "Ncd2", nullptr}, {kKnights, "N2d2", nullptr},
      {kKnights, "Nb3d2", nullptr}, {kKnights, "nbd2", nullptr}, {kKnights, "N1bd2", nullptr}, {kKnights, "Nxbd2", nullptr},
      {kKnights, "Nbxd2", nullptr}, {kKnights, "Nh4", "f3h4"}, {kKnights, "Nfh4", "f3h4"},
      {kRooks, "Re2", nullptr}, {kRooks, "Ree2", nullptr}, {kRooks, "R1e2", "e1e2"}, {kRooks, "R3e2", "e3e2"},
      {kRooks, "Re1e2", "e1e2"}, {kRooks, "R2e2", nullptr},
      {kQueens, "Qe1", nullptr}, {kQueens, "Qhe1", nullptr}, {kQueens, "Q4e1", nullptr}, {kQueens, "Qh4e1", "h4e1"},
      {kQueens, "Qee1", "e4e1"}, {kQueens, "Q1e1", "h1e1"}, {kQueens, "Qh1e1", "h1e1"}, {kQueens, "Qe4e1", "e4e1"},
      {kPinned, "Nd4", "f3d4"}, {kPinned, "Ned4", nullptr}, {kPinned, "Nc3", nullptr},
      // Promotion.
      {kPromotion, "e8=Q", "e7e8q"}, {kPromotion, "e8Q", "e7e8q"}, {kPromotion, "e8=N", "e7e8n"},
      {kPromotion, "e8=R+", "e7e8r"}, {kPromotion, "exd8=N", "e7d8n"}, {kPromotion, "exd8B", "e7d8b"},
      {kPromotion, "ed8=Q", "e7d8q"}, {kPromotion, "e8", nullptr}, {kPromotion, "exd8", nullptr},
      {kPromotion, "e8=K", nullptr}, {kPromotion, "e8=P", nullptr}, {kPromotion, "e8=", nullptr},
      {kPromotion, "e8=q", nullptr}, {kPromotion, "e8==Q", nullptr}, {kPromotion, "e8=QQ", nullptr},
      {kPromotion, "e7e8=Q", nullptr}, {kPromotion, "dxe8=Q", nullptr}, {kPromotion, "Ke2=Q", nullptr},
      {kPromotion, "Ke2Q", nullptr}, {kPromotion, "Pe8=Q", nullptr}, {kPromotion, "e8=X", nullptr},
      {kBlackPromotion, "axb1=R", "a2b1r"}, {kBlackPromotion, "a1=Q", "a2a1q"}, {kBlackPromotion, "a1", nullptr},
      {kBlackPromotion, "a1=B#", "a2a1b"},
      // Castling.
      {kCastling, "O-O", "e1g1"}, {kCastling, "0-0", "e1g1"}, {kCastling, "O-O-O", "e1c1"}, {kCastling, "0-0-0+", "e1c1"},
      {kBlackCastling, "O-O", "e8g8"}, {kBlackCastling, "0-0-0", "e8c8"}, {kCastling, "Kg1", nullptr},
      {kCastling, "Ke1g1", nullptr}, {kCastling, "Kc1", nullptr}, {kCastling, "O-O-O-O", nullptr},
      {kCastling, "O-0", nullptr}, {kCastling, "o-o", nullptr}, {kCastling, "OO", nullptr}, {kCastling, "O-O ", nullptr},
      {kCastling, "Rb1", "a1b1"}, {kCastling, "Rb1=Q", nullptr}, {kCastling, "Kf1Q", nullptr},
      {kThroughCheck, "O-O", nullptr}, {kThroughCheck, "O-O-O", "e1c1"}, {kInCheck, "O-O-O", nullptr},
      {kInCheck, "O-O", nullptr}, {kQueenSideOnly, "O-O", nullptr}, {kQueenSideOnly, "O-O-O", "e1c1"},
      // En passant, pawn or bishop.
      {kEnPassant, "exd6", "e5d6"}, {kEnPassant, "ed6", "e5d6"}, {kEnPassant, "e6", "e5e6"},
      {kEnPassant, "exd6e.p.", nullptr}, {kEnPassant, "exd6 e.p.", nullptr}, {kEnPassant, "d6", nullptr},
      {kEnPassant, "exd5", nullptr}, {kEnPassant, "exe6", nullptr},
      {kPawnOrBishop, "bxc3", "b2c3"}, {kPawnOrBishop, "bc3", "b2c3"}, {kPawnOrBishop, "Bxc3", "d2c3"},
      {kPawnOrBishop, "Bc3", "d2c3"}, {kPawnOrBishop, "Bdxc3", "d2c3"}, {kPawnOrBishop, "Bbxc3", nullptr},
      {kPawnOrBishop, "dxc3", nullptr}, {kPawnOrBishop, "cxc3", nullptr}, {kPawnOrBishop, "c3", nullptr},
      {kPawnOrBishop, "bxc3=Q", nullptr}, {kPawnOrBishop, "b2xc3", nullptr}, {kPawnOrBishop, "b3", "b2b3"},
  };
  for (const auto& c : kCases) {
    const GamePosition p = ParseFen(c.fen), before = p;
    if (c.coordinate != nullptr)
      EXPECT_EQ(Read(p, c.san), ParseMove(p, c.coordinate)) << c.fen << " " << c.san;
    else
      EXPECT_EQ(ThrownMessage([&] { ParseSanMove(p, c.san); }), "Invalid move.") << c.fen << " " << c.san;
    EXPECT_EQ(p, before);
  }
}

}  // namespace
