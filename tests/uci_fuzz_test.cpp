// Random UCI command streams, valid and hostile, read by in-process UCI
// sessions on a clock that only the test moves; many lines arrive while a
// search runs. What must hold whatever the input: every line written has
// one of UCI's forms, every "isready" is answered, every "go" gets exactly
// one "bestmove", and every bestmove is legal in the position searched.
// The sanitizer build runs it too.
#include <gtest/gtest.h>

#include <iostream>
#include <random>
#include <streambuf>

#include "board/moves.h"
#include "frontend_session_support.h"
#include "position/movegen.h"
#include "uci/uci_session.h"

namespace {

using namespace session_test;

const char* const kFens[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "4k3/1P6/8/8/8/8/6p1/4K3 w - - 0 1",
    "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1",        // stalemate
    "7k/6Q1/6K1/8/8/8/8/8 b - - 0 1",        // mate
    "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",  // mate in one
    "8/8/8/8/8/8/8/K6k w - - 0 1",
    // Broken ones: refused whole, the last valid position stays.
    "8/8/8/8/8/8/8/8 w - - 0 1",
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq - 0 1",
    "k7/8/8/8/8/8/8/KQ6 w - - 0 1",
    "x",
};

const char* const kGoWords[] = {
    "depth 1",   "depth 3",    "depth 0",   "depth -3",  "depth x",     "depth",        "nodes 1",
    "nodes 500", "nodes 5000", "nodes",     "nodes -4",  "movetime 1",  "movetime 20",  "movetime x",
    "mate 1",    "mate",       "infinite",  "",          "wtime 200 btime 200 winc 10 binc 10",
    "wtime 30 btime 9000",     "wtime abc", "wtime -5 btime -5", "movestogo 0 wtime 100 btime 100",
    "searchmoves e2e4 d2d4 depth 2", "searchmoves depth 2", "fast depth 2"};

const char* const kOtherLines[] = {
    "uci",     "ucinewgame", "debug on", "debug off", "debug maybe", "register later", "stop", "ponderhit",
    "",        " \t ",       "\r",       "xyzzy 1 2", "quitx",       "setoption name Hash value 1",
    "setoption name Hash value 2",       "setoption name Hash value x", "setoption name Clear Hash",
    "setoption name Threads value 2",    "setoption name Threads value 1", "setoption name Ponder value true",
    "setoption name Move Overhead value 5000", "setoption name Move Overhead value 0",
    "setoption name Time Rule value classic", "setoption name UCI_LimitStrength value true",
    "setoption name UCI_LimitStrength value false", "setoption name UCI_Elo value 1000", "setoption name Foo",
    "setoption", "position", "position startpos moves e2e5", "position fen", "go\tdepth\t2", "\tisready\r"};

// A stream buffer that hands each complete line written to it to a check.
class LineChecker : public std::streambuf {
 public:
  explicit LineChecker(std::function<void(const std::string&)> check) : check_(std::move(check)) {}

 protected:
  int_type overflow(int_type c) override {
    if (c == traits_type::eof()) return traits_type::not_eof(c);
    if (c == '\n') {
      check_(line_);
      line_.clear();
    } else {
      line_ += char(c);
    }
    return c;
  }

 private:
  std::function<void(const std::string&)> check_;
  std::string line_;
};

class UciFuzz {
 public:
  explicit UciFuzz(uint32_t seed) : rng_(seed), checker_([this](const std::string& line) { Check(line); }) {}

  void Run(int lineCount) {
    for (int i = 0; i < lineCount; ++i) {
      const std::string line = NextLine();
      isreadySent_ += CountsAs(line, "isready");
      goSent_ += CountsAs(line, "go");
      const Milliseconds advance = Below(40) == 0 ? 1500 : Below(80);
      script_.Add({[line] { return line; }, Session::AtOnce(), [advance] { fakeNow += advance; }});
    }
    // Whatever still runs or waits is stopped, one search after another: a
    // "go" needs at most one "stop", and one read while idle is ignored. A
    // search never sees the end of the input, which would cut it off.
    for (int i = 0; i <= goSent_; ++i) script_.Add({[] { return std::string("stop"); }, Session::AtOnce(), {}});
    script_.endReady = [this] { return !engine_.Searching(); };
    fakeNow = 1000000;
    std::istream in(&script_);
    std::ostream out(&checker_);
    UciSession session(engine_, in, -1, out, FakeClock);
    session.Run(false);
  }

  std::string fault;
  int isreadySent_ = 0, goSent_ = 0;
  int readyok = 0, bestmoves = 0, legalBestmoves = 0, nullBestmoves = 0, lines = 0;

 private:
  // A whole word "go" or "isready" at the start, tabs and blanks around it
  // as UCI reads them.
  static int CountsAs(const std::string& line, const std::string& word) {
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, word.size(), word) != 0) return 0;
    const size_t after = start + word.size();
    return after == line.size() || line[after] == ' ' || line[after] == '\t' || line[after] == '\r' ? 1 : 0;
  }

  void Check(const std::string& line) {
    ++lines;
    static const char* const kForms[] = {"id name ", "id author ", "option name ", "uciok", "readyok", "info ",
                                         "bestmove "};
    if (std::none_of(std::begin(kForms), std::end(kForms),
                     [&](const char* form) { return line.rfind(form, 0) == 0; }))
      Fault("a line outside UCI's forms: " + line);
    if (line == "readyok") ++readyok;
    if (line.rfind("bestmove ", 0) == 0) CheckBestMove(line);
  }

  // The bestmove is written when its search has ended, before anything the
  // interface sent during it: the engine's root is the position searched.
  void CheckBestMove(const std::string& line) {
    ++bestmoves;
    PositionStack stack;
    stack.Root() = engine_.SearchRoot();
    RootMove moves[kMaxMovesPerPosition];
    const RootMove* end = GenerateLegalMoves(stack, moves);
    const std::string move = line.substr(9, line.find(' ', 9) - 9);
    if (move == "0000") {
      ++nullBestmoves;
      if (end != moves) Fault("bestmove 0000 with legal moves");
      return;
    }
    for (const RootMove* m = moves; m != end; ++m)
      if (CoordinateMoveText(m->move) == move) {
        ++legalBestmoves;
        return;
      }
    Fault("an illegal " + line);
  }

  void Fault(const std::string& what) {
    if (fault.empty()) fault = what;
  }

  int Below(int n) { return int(rng_() % uint32_t(n)); }
  template <size_t N>
  const char* Pick(const char* const (&items)[N]) {
    return items[Below(int(N))];
  }

  // A few legal-looking moves from the start: a line of the first legal
  // move or a random one, some broken.
  std::string Moves() {
    static const char* const kMoves[] = {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "g8f6", "d2d3", "f8c5", "e1g1"};
    std::string text;
    const int count = Below(10);
    for (int i = 0; i < count; ++i) text += std::string(" ") + kMoves[i];
    if (Below(8) == 0) text += " e4e5";
    return text;
  }

  std::string NextLine() {
    const int roll = Below(100);
    if (roll < 20) return "isready";
    if (roll < 45) {
      const std::string words = Pick(kGoWords);
      return Below(8) == 0 ? "go ponder " + words : "go " + words;
    }
    if (roll < 55) return "stop";
    if (roll < 70) return std::string("position ") + (Below(2) == 0 ? "startpos" : "fen " + std::string(Pick(kFens))) +
                          (Below(2) == 0 ? " moves" + Moves() : "");
    if (roll < 75) return "position startpos moves" + Moves();
    if (roll < 78) {
      std::string garbage;
      for (int i = 1 + Below(30); i > 0; --i) {
        const char c = char(rng_() & 0xff);
        garbage += c == '\n' ? ' ' : c;
      }
      return garbage;
    }
    return Pick(kOtherLines);
  }

  std::mt19937 rng_;
  Engine engine_{uint64_t(1) << 20, uint64_t(1) << 18};
  ScriptedInput script_;
  LineChecker checker_;
};

void RunUciFuzz(uint32_t seed, int lineCount) {
  UciFuzz fuzz(seed);
  fuzz.Run(lineCount);
  EXPECT_EQ(fuzz.fault, "") << "seed " << seed;
  EXPECT_EQ(fuzz.readyok, fuzz.isreadySent_) << "seed " << seed;
  EXPECT_EQ(fuzz.bestmoves, fuzz.goSent_) << "seed " << seed;
  // The input got somewhere: searches ran and ended with moves.
  EXPECT_GE(fuzz.legalBestmoves, fuzz.goSent_ / 2) << "seed " << seed;
  std::cout << "seed " << seed << ": " << fuzz.lines << " lines written, " << fuzz.goSent_ << " go, "
            << fuzz.bestmoves << " bestmove (" << fuzz.nullBestmoves << " without a move), " << fuzz.readyok
            << " readyok\n";
}

TEST(UciFuzz, RandomStreamsKeepTheProtocol) {
  for (uint32_t seed = 11; seed <= 16; ++seed) RunUciFuzz(seed, 1500);
}

}  // namespace
