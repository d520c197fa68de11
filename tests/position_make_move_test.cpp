// Copy-make keeps every field of the record exact: after every move of the
// reference trees the record equals a from-scratch build of the same board,
// and the targeted cases check castling rights, en passant and promotions.
#include <gtest/gtest.h>

#include <sstream>

#include "base/tables.h"
#include "position_test_support.h"

namespace {

using namespace position_test;

// Names every field in which `p` differs from BuildFromSquares applied to
// its squares, side, en-passant square and castling flags.
std::string DifferencesFromScratch(const TreePosition& p) {
  TreePosition fresh;
  std::memset(&fresh, 0, sizeof fresh);
  std::memcpy(fresh.squares, p.squares, sizeof fresh.squares);
  fresh.side = p.side;
  fresh.epSquare = p.epSquare;
  fresh.white.castling = p.white.castling;
  fresh.black.castling = p.black.castling;
  BuildFromSquares(fresh);

  std::ostringstream out;
  auto check = [&](const char* name, auto incremental, auto scratch) {
    if (incremental != scratch) out << name << " ";
  };
  check("occupied", p.occupied, fresh.occupied);
  check("occupied45", p.occupied45, fresh.occupied45);
  check("occupied90", p.occupied90, fresh.occupied90);
  check("occupied315", p.occupied315, fresh.occupied315);
  for (int s = 0; s < 2; ++s) {
    const SidePieces& a = s == 0 ? p.white : p.black;
    const SidePieces& b = s == 0 ? fresh.white : fresh.black;
    const char* side = s == 0 ? "white." : "black.";
    auto field = [&](const char* name, auto x, auto y) { check((std::string(side) + name).c_str(), x, y); };
    field("pawn", a.pawn, b.pawn);
    field("knight", a.knight, b.knight);
    field("bishop", a.bishop, b.bishop);
    field("rook", a.rook, b.rook);
    field("queen", a.queen, b.queen);
    field("queen_and_rook", a.queen_and_rook, b.queen_and_rook);
    field("queen_and_bishop", a.queen_and_bishop, b.queen_and_bishop);
    field("friendly", a.friendly, b.friendly);
    field("kingSquare", a.kingSquare, b.kingSquare);
    field("valMinors", a.valMinors, b.valMinors);
    field("valMajors", a.valMajors, b.valMajors);
    field("numPawns", a.numPawns, b.numPawns);
  }
  check("pieceUnits", p.pieceUnits, fresh.pieceUnits);
  check("materialBalance", p.materialBalance, fresh.materialBalance);
  check("kingAttacked", p.kingAttacked, fresh.kingAttacked);
  check("hashKey", p.hashKey, fresh.hashKey);
  check("pawnHashKey", p.pawnHashKey, fresh.pawnHashKey);
  return out.str();
}

// The en-passant square after `move`, read from the board alone: the square
// passed over by a double step when an enemy pawn stands beside the pawn.
Square ExpectedEnPassant(const TreePosition& p, Move move) {
  if (MovePiece(move) != kPawn) return 0;
  const Square from = MoveFrom(move), to = MoveTo(move);
  if (to - from != 16 && from - to != 16) return 0;
  const int enemyPawn = p.side == kWhite ? kPawn : -kPawn;  // the side to move takes
  const bool beside = (FileOf(to) > 0 && p.squares[to - 1] == enemyPawn) ||
                      (FileOf(to) < 7 && p.squares[to + 1] == enemyPawn);
  return beside ? (from + to) / 2 : 0;
}

// A castling right is only held while the king stands on its first rank
// and that right's rook on its square, on the right's side of the king
// (standard chess: the king on e1/e8 at the root, rooks on h and a).
bool RightsMatchBoard(const TreePosition& p, const TreePosition& root) {
  for (const int side : {kWhite, kBlack}) {
    const SidePieces& own = side == kWhite ? p.white : p.black;
    const SidePieces& home = side == kWhite ? root.white : root.black;
    const int sign = side == kWhite ? 1 : -1;
    for (const int wing : {0, 1}) {
      if (!(own.castling & (wing == 0 ? kCastleKingSide : kCastleQueenSide))) continue;
      const Square rook = p.castlingRook[side][wing];
      if (own.kingSquare != home.kingSquare || p.squares[rook] != sign * kRook) return false;
      if (RankOf(rook) != (side == kWhite ? 0 : 7) || (rook > own.kingSquare) != (wing == 0)) return false;
    }
  }
  return true;
}

class MakeMoveConsistency : public testing::TestWithParam<PerftReference> {};

TEST_P(MakeMoveConsistency, EveryRecordOfTheTreeEqualsAFromScratchBuild) {
  LoadFen(GetParam().fen);
  int checked = 0;
  WalkTree(3, [&] {
    const TreePosition& p = Stack().Current();
    const std::string differences = DifferencesFromScratch(p);
    ASSERT_EQ(differences, "") << "after ply " << Stack().ply << ", move " << p.lastMove;
    ASSERT_EQ(Stack().keyHistory[Stack().keyHistoryRoot + Stack().ply], p.hashKey);
    ASSERT_TRUE(RightsMatchBoard(p, Stack().Root()));
    if (Stack().ply > 0) {
      const TreePosition& parent = Stack().positions[Stack().ply - 1];
      const Move move = p.lastMove;
      ASSERT_EQ(p.epSquare, ExpectedEnPassant(p, move)) << "move " << move;
      const bool resets = MovePiece(move) == kPawn || MoveCaptured(move) != 0;
      ASSERT_EQ(p.halfMoveClock, resets ? 0 : parent.halfMoveClock + 1);
      // Rights never come back.
      ASSERT_EQ(p.white.castling & ~parent.white.castling, 0);
      ASSERT_EQ(p.black.castling & ~parent.black.castling, 0);
    }
    ++checked;
  });
  EXPECT_GT(checked, 1000);
  EXPECT_EQ(Stack().ply, 0);
}

INSTANTIATE_TEST_SUITE_P(Reference, MakeMoveConsistency, testing::ValuesIn(PerftReferences()),
                         [](const testing::TestParamInfo<PerftReference>& info) { return info.param.name; });

TEST(MakeMove, CopyMakeLeavesTheParentAndStepsThePly) {
  LoadFen(PerftReferences()[0].fen);
  const TreePosition root = Stack().positions[0];
  MakeWhiteMove(Stack(), Word("e2", "e4", kPawn));
  EXPECT_EQ(Stack().ply, 1);
  EXPECT_EQ(std::memcmp(&root, &Stack().positions[0], sizeof root), 0);
  const TreePosition& p = Stack().Current();
  EXPECT_EQ(p.side, kBlack);
  EXPECT_EQ(p.epSquare, 0);  // no black pawn on d4 or f4
  EXPECT_EQ(p.hashKey, ComputeHashKey(p));
  EXPECT_EQ(p.lastMove, Word("e2", "e4", kPawn));
  UnmakeMove(Stack());
  EXPECT_EQ(Stack().ply, 0);
}

TEST(MakeMove, CastlingMovesTheRookAndDropsBothRights) {
  LoadFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
  MakeWhiteMove(Stack(), kWhiteCastleShort);
  const TreePosition& p = Stack().Current();
  EXPECT_EQ(p.squares[G1], kKing);
  EXPECT_EQ(p.squares[F1], kRook);
  EXPECT_EQ(p.squares[H1], 0);
  EXPECT_EQ(p.squares[E1], 0);
  EXPECT_EQ(p.white.castling, 0);
  EXPECT_EQ(p.black.castling, kCastleKingSide | kCastleQueenSide);
  EXPECT_EQ(p.hashKey, ComputeHashKey(p));
  EXPECT_EQ(DifferencesFromScratch(p), "");

  MakeBlackMove(Stack(), kBlackCastleLong);
  const TreePosition& q = Stack().Current();
  EXPECT_EQ(q.squares[C8], -kKing);
  EXPECT_EQ(q.squares[D8], -kRook);
  EXPECT_EQ(q.squares[A8], 0);
  EXPECT_EQ(q.black.castling, 0);
  EXPECT_EQ(DifferencesFromScratch(q), "");

  // Chess960: the king lands on its own rook's square (f1 to g1, the rook
  // from g1 to f1), stays on its square (g8), or the rook lands on the
  // king's (b1 to c1, the rook from a1... d1): every record as built from
  // scratch, king and rook on g and f, or c and d.
  struct Case {
    const char* fen;
    Move move;
    Square king, rook;
  };
  const Case cases[] = {
      {"1r4kr/6p1/8/8/8/8/6P1/1R3KR1 w GBhb - 0 1", MakeMoveWord(F1, G1, kKing, 0, 1), G1, F1},
      {"1r4kr/6p1/8/8/8/8/6P1/1R3KR1 b GBhb - 0 1", MakeMoveWord(G8, G8, kKing, 0, 1), G8, F8},
      {"1r4kr/6p1/8/8/8/8/6P1/1R3KR1 b GBhb - 0 1", MakeMoveWord(G8, C8, kKing, 0, 2), C8, D8},
      {"rk5r/8/8/8/8/8/8/RK5R w HAha - 0 1", MakeMoveWord(B1, C1, kKing, 0, 2), C1, D1},
      {"rk5r/8/8/8/8/8/8/RK5R w HAha - 0 1", MakeMoveWord(B1, G1, kKing, 0, 1), G1, F1},
      {"2rkr3/2p1p3/8/8/8/8/2P1P3/2RKR3 w ECec - 0 1", MakeMoveWord(D1, C1, kKing, 0, 2), C1, D1},
  };
  for (const Case& c : cases) {
    LoadFen(c.fen);
    const int side = Stack().Current().side, sign = side == kWhite ? 1 : -1;
    const std::vector<Move> moves = CapturesAndQuiets();
    ASSERT_NE(std::find(moves.begin(), moves.end(), c.move), moves.end()) << c.fen;
    MakeMoveOfSideToMove(Stack(), c.move);
    const TreePosition& r = Stack().Current();
    EXPECT_EQ(r.squares[c.king], sign * kKing) << c.fen;
    EXPECT_EQ(r.squares[c.rook], sign * kRook) << c.fen;
    EXPECT_EQ(PopCount(r.occupied), PopCount(Stack().Root().occupied)) << c.fen;
    EXPECT_EQ((side == kWhite ? r.white : r.black).castling, 0) << c.fen;
    EXPECT_EQ(DifferencesFromScratch(r), "") << c.fen;
  }
}

TEST(MakeMove, RookMovesAndRookCapturesRemoveOnlyTheirCornersRight) {
  LoadFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
  MakeWhiteMove(Stack(), Word("a1", "a8", kRook, kRook));  // leaves a1, takes on a8
  const TreePosition& p = Stack().Current();
  EXPECT_EQ(p.white.castling, kCastleKingSide);
  EXPECT_EQ(p.black.castling, kCastleKingSide);
  EXPECT_EQ(p.hashKey, ComputeHashKey(p));
  EXPECT_EQ(p.halfMoveClock, 0);

  // Capturing on h8 when Black only holds the queen's-side right changes no right.
  LoadFen("r3k2r/8/8/8/8/8/8/4K2R w Kq - 0 1");
  MakeWhiteMove(Stack(), Word("h1", "h8", kRook, kRook));
  const TreePosition& q = Stack().Current();
  EXPECT_EQ(q.white.castling, 0);
  EXPECT_EQ(q.black.castling, kCastleQueenSide);
  EXPECT_EQ(q.hashKey, ComputeHashKey(q));

  // Chess960: the rook taken in its corner b8 costs Black that right; the
  // rook leaving g1 costs White the king's side, and a rook leaving a
  // square no right castles from costs nothing.
  LoadFen("1r4kr/6p1/8/8/8/8/6P1/1R3KR1 w GBhb - 0 1");
  MakeWhiteMove(Stack(), Word("b1", "b8", kRook, kRook));
  EXPECT_EQ(Stack().Current().black.castling, kCastleKingSide);
  EXPECT_EQ(Stack().Current().white.castling, kCastleKingSide);
  EXPECT_EQ(Stack().Current().hashKey, ComputeHashKey(Stack().Current()));
  LoadFen("1r4kr/6p1/8/8/8/8/6P1/RR3KR1 w GBhb - 0 1");
  MakeWhiteMove(Stack(), Word("a1", "a2", kRook));
  EXPECT_EQ(Stack().Current().white.castling, kCastleKingSide | kCastleQueenSide);
  UnmakeMove(Stack());
  MakeWhiteMove(Stack(), Word("g1", "h1", kRook));
  EXPECT_EQ(Stack().Current().white.castling, kCastleQueenSide);
  EXPECT_EQ(Stack().Current().hashKey, ComputeHashKey(Stack().Current()));
}

TEST(MakeMove, EnPassantSquareOnlyWhenAPawnCanTake) {
  LoadFen("4k3/8/8/8/5p2/8/3PP3/4K3 w - - 0 1");
  MakeWhiteMove(Stack(), Word("d2", "d4", kPawn));  // no black pawn on c4 or e4
  EXPECT_EQ(Stack().Current().epSquare, 0);
  UnmakeMove(Stack());
  MakeWhiteMove(Stack(), Word("e2", "e4", kPawn));  // the f4 pawn can take
  const TreePosition& p = Stack().Current();
  EXPECT_EQ(p.epSquare, E3);
  EXPECT_EQ(p.hashKey, ComputeHashKey(p));
  // Black takes en passant: the white pawn behind e3 goes.
  MakeBlackMove(Stack(), Word("f4", "e3", kPawn, kPawn));
  const TreePosition& q = Stack().Current();
  EXPECT_EQ(q.squares[E4], 0);
  EXPECT_EQ(q.squares[E3], -kPawn);
  EXPECT_EQ(q.white.numPawns, 1);
  EXPECT_EQ(q.materialBalance, p.materialBalance - 100);
  EXPECT_EQ(q.epSquare, 0);
  EXPECT_EQ(DifferencesFromScratch(q), "");
}

TEST(MakeMove, PromotionWithCaptureOfTheCornerRook) {
  LoadFen("r3k3/1P6/8/8/8/8/8/4K3 w q - 0 1");
  const TreePosition& root = Stack().positions[0];
  MakeWhiteMove(Stack(), Word("b7", "a8", kPawn, kRook, kQueen));
  const TreePosition& p = Stack().Current();
  EXPECT_EQ(p.materialBalance - root.materialBalance, 880 + 475);
  EXPECT_EQ(p.white.valMajors - root.white.valMajors, 2);
  EXPECT_EQ(p.black.valMajors - root.black.valMajors, -1);
  EXPECT_EQ(p.pieceUnits - root.pieceUnits, 9 - 5);
  EXPECT_EQ(p.white.numPawns, 0);
  EXPECT_EQ(p.black.castling, 0);
  EXPECT_EQ(p.squares[A8], kQueen);
  EXPECT_TRUE(p.kingAttacked);  // the new queen checks along the eighth rank
  EXPECT_EQ(DifferencesFromScratch(p), "");
}

TEST(MakeMove, KingAttackedDescribesTheSideToMoveOnly) {
  // White moves into a discovered check of its own king: not rejected here,
  // and the flag describes Black's king.
  LoadFen("4k3/8/8/8/8/8/4N3/r3K3 w - - 0 1");
  MakeWhiteMove(Stack(), Word("e2", "c3", kKnight));
  EXPECT_FALSE(Stack().Current().kingAttacked);
  EXPECT_TRUE(IsAttackedBy<kBlack>(Stack().Current(), Stack().Current().white.kingSquare));
  UnmakeMove(Stack());
  MakeWhiteMove(Stack(), Word("e2", "d4", kKnight));
  EXPECT_FALSE(Stack().Current().kingAttacked);
  UnmakeMove(Stack());
  MakeWhiteMove(Stack(), Word("e2", "f6", kKnight));  // knight check
  EXPECT_TRUE(Stack().Current().kingAttacked);
}

}  // namespace
