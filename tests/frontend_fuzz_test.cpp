// Random input for the dialogue: thousands of lines of both protocols'
// commands with random and edge-case arguments, legal and illegal moves,
// garbage bytes, very long and empty lines, made from a fixed seed and read
// by in-process sessions ("quit" and "end" start the next session). Before
// each line and after each session the game record must replay legally from
// its start position to the current one and the engine must not play both
// sides; between lines no search may be marked active while none runs. The
// sanitizer build runs it too.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <iostream>
#include <random>
#include <sstream>

#include "board/moves.h"
#include "board/search_position.h"
#include "frontend_session_support.h"
#include "position/movegen.h"

namespace {

using namespace session_test;

const char* const kPositions[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",
    "4k3/1P6/8/8/8/8/6p1/4K3 w - - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1",        // stalemate
    "7k/6Q1/6K1/8/8/8/8/8 b - - 0 1",        // mate
    "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",  // mate in one
    "4k3/8/8/8/8/8/8/4K2R w K - 99 80",      // the fifty-move rule's last move
    "8/8/8/8/8/8/8/K6k w - - 0 1",           // bare kings
    "4k3/8/8/8/8/8/PPPPPPPP/KQRR4 w - - 0 1",
};

const char* const kBrokenPositions[] = {
    "",
    "8/8/8/8/8/8/8/8 w - - 0 1",
    "kK6/8/8/8/8/8/8/8 w - - 0 1",
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq - 0 1",
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e9 0 1",
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - -5 1",
    "8/8/8/8/8/8/8/8/8 w - - 0 1",
    "k7/8/8/8/8/8/8/KQ6 w - - 0 1",  // the side not to move is in check
    "PPPPPPPP/8/8/8/8/8/8/k6K w - - 0 1",
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 99999999999",
    "x",
};

// Arguments: ordinary ones and the edges around them.
const char* const kNumbers[] = {"0", "1", "2", "7", "-1", "-0", "x", "", "99999999999", "2147483647", "2147483648",
                                "1e3", "+5", "0x10", "3.5", "0010"};
const char* const kResults[] = {"1-0", "0-1", "1/2-1/2", "*", "1:0", "0:1", "1/2:1/2", "x", "2-0"};
const char* const kEditLines[] = {"#", "c", "Pa4", "Ke1", "Kh1", "Qd5", "Rb7", "Bc8", "Ng6", "Pa1", "Pa8", "Xz9", "P",
                                  "display", "verify", "", "K", "Ke9", "Pe2", "Pd7"};
const char* const kPlainCommands[] = {
    "go",       "?",       "force",   "white", "black",   "playother", "analyze", "exit",   "undo",
    "tb",       "remove",  "draw",    "easy",  "hard",    "post",      "nopost",  "eval",   "display",
    ".",        "help",    "history", "random", "xboard", "computer",  "accepted setboard", "rejected pause",
    "name Fuzz", "rating 2000 1800", "ics -", "hint", "bk", "hash 16", "pondering on", "pondering off",
    "pondering", "ponder on", "ponder off", "ponder x", "stop", "pawnhash", "option Hash=1", "option Hash=2",
    "option Clear Hash", "option Ponder=0", "option Ponder=1", "option Time Rule=increment", "timerule classic",
    "option Move Overhead=20", "option Hash=x"};

// The lines for one session: each line's text, made when it is handed out,
// and the clock's advance before it.
class LineMaker {
 public:
  LineMaker(uint32_t seed, const Communicator* const& session) : rng_(seed), session_(session) {}

  // The next few lines (usually one) for the script.
  void Next(ScriptedInput& script, std::function<void()> check) {
    const int roll = Below(1000);
    std::vector<std::function<std::string()>> texts;
    const auto fixed = [&](std::string text) { texts.push_back([text] { return text; }); };
    if (roll < 250) {
      texts.push_back(LegalMove(""));
    } else if (roll < 280) {
      texts.push_back(ExpectedMove());
    } else if (roll < 300) {
      texts.push_back(LegalMove("usermove "));
    } else if (roll < 350) {
      fixed(IllegalMove());
    } else if (roll < 370) {
      // Settings that could lengthen the searches are followed at once
      // by short ones.
      fixed(std::string(Pick({"sd ", "depth "})) + Number());
      fixed(std::string("sd ") + Pick({"1", "2"}));
    } else if (roll < 390) {
      fixed(std::string(Pick({"st ", "vartime ", "abstime "})) + Number());
    } else if (roll < 400) {
      fixed(Level());
    } else if (roll < 460) {
      const char* clock = Pick({"time ", "otim "});
      fixed(clock + Number());
      fixed(clock + std::to_string(Below(30)));
    } else if (roll < 480) {
      fixed("new");
      fixed("sd 1");
    } else if (roll < 500) {
      fixed(std::string("setboard ") + (Below(3) == 0 ? Pick(kBrokenPositions) : Pick(kPositions)));
    } else if (roll < 515) {
      fixed("edit");
      for (int i = Below(6); i > 0; --i) fixed(Pick(kEditLines));
      if (Below(10) != 0) fixed(Below(2) == 0 ? "." : "end");
    } else if (roll < 530) {
      fixed(std::string("result ") + Pick(kResults) + (Below(2) == 0 ? " {fuzz}" : ""));
    } else if (roll < 545) {
      fixed(std::string(Pick({"ping ", "protover ", "memory "})) + Pick({"1", "2", "8", "0", "-3", "x", ""}));
    } else if (roll < 560) {
      fixed(Garbage(1 + Below(60)));
    } else if (roll < 580) {
      fixed(Pick({"", " ", "   ", "\t", "\r", " \r"}));
    } else if (roll < 585) {
      fixed(LongLine());
    } else if (roll < 588) {
      fixed(Pick({"quit", "end"}));
      fixed("sd 2");
    } else {
      fixed(Pick(kPlainCommands));
    }
    // The clock moves a little before most lines, now and then by more
    // than any time control here gives.
    for (auto& text : texts) {
      const Milliseconds advance = Below(50) == 0 ? 5000 : Below(60);
      script.Add({[this, text] { return Remember(text()); }, {}, [check, advance] {
                    check();
                    fakeNow += advance;
                  }});
    }
  }

  // The last lines handed out, shortened, for a fault report.
  std::string Recent() const {
    std::string text;
    for (const std::string& line : recent_) text += "\n  " + line;
    return text;
  }

 private:
  std::string Remember(std::string line) {
    recent_.push_back(line.substr(0, 80));
    if (recent_.size() > 6) recent_.pop_front();
    return line;
  }

  int Below(int n) { return int(rng_() % uint32_t(n)); }
  template <size_t N>
  const char* Pick(const char* const (&items)[N]) {
    return items[Below(int(N))];
  }
  const char* Pick(std::initializer_list<const char*> items) { return items.begin()[Below(int(items.size()))]; }
  std::string Number() { return Pick(kNumbers); }

  // A legal move of the game position when the line is handed out (a
  // random word when there is none).
  std::function<std::string()> LegalMove(const std::string& prefix) {
    const uint32_t pick = rng_();
    return [this, prefix, pick] {
      LoadSearchRoot(scratch_, session_->session().game().currentPosition);
      RootMove moves[kMaxMovesPerPosition];
      const int count = int(GenerateLegalMoves(scratch_, moves) - moves);
      return prefix + (count == 0 ? "e2e4" : CoordinateMoveText(moves[pick % uint32_t(count)].move));
    };
  }

  // The move the engine ponders on, when it has one.
  std::function<std::string()> ExpectedMove() {
    std::function<std::string()> otherwise = LegalMove("");
    return [this, otherwise] {
      return session_->PonderMove() != 0 ? CoordinateMoveText(session_->PonderMove()) : otherwise();
    };
  }

  std::string IllegalMove() {
    std::string text;
    text += char('a' + Below(9));
    text += char('0' + Below(10));
    text += char('a' + Below(9));
    text += char('0' + Below(10));
    if (Below(3) == 0) text += Pick({"q", "r", "b", "n", "k", "x", "Q", "qq"});
    if (Below(5) == 0)
      for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return Below(6) == 0 ? text.substr(0, 1 + Below(3)) : text;
  }

  // Time controls that keep searches short, and broken ones.
  std::string Level() {
    return std::string("level ") + Pick({"0", "40", "-1", "x", "99999999999"}) + " " +
           Pick({"0:01", "0:02", "0:00", "-1", "x", "1:", "99999999999", "0:-5"}) + " " +
           Pick({"0", "0.1", "0.05", "-1", "x", "0.0.1"}) + (Below(4) == 0 ? "" : " extra");
  }

  std::string Garbage(int length) {
    std::string text;
    for (int i = 0; i < length; ++i) {
      char c = char(rng_() & 0xff);
      text += c == '\n' ? '\0' : c;
    }
    return text;
  }

  std::string LongLine() {
    const size_t length = 5000 + size_t(Below(100000));
    std::string text = Pick({"", "sd ", "e2e4", "ping"});
    if (text == "ping") {
      while (text.size() < length) text.append(" ").append(std::to_string(rng_()));
    } else {
      text.append(length, text.empty() ? 'e' : text == "sd " ? '9' : 'q');
    }
    return text;
  }

  std::mt19937 rng_;
  const Communicator* const& session_;
  PositionStack scratch_;
  std::deque<std::string> recent_;
};

// What the sessions went through, for the plausibility checks.
struct FuzzTally {
  int sessions = 0;
  int engineMoves = 0;
  int finishedGames = 0;
  int longestGame = 0;
  int searchesEnded = 0;
  int ponderHits = 0;  // on the console

  void Add(const FuzzTally& part) {
    engineMoves += part.engineMoves, finishedGames += part.finishedGames;
    searchesEnded += part.searchesEnded, ponderHits += part.ponderHits;
  }
};

FuzzTally Tally(const std::string& output) {
  FuzzTally tally;
  tally.engineMoves = Count(output, "Ravok played: ") + Count(output, "\nmove ");
  tally.finishedGames = Count(output, "game over: ") + Count(output, "\n1-0 {") + Count(output, "\n0-1 {") +
                        Count(output, "\n1/2-1/2 {");
  tally.searchesEnded = Count(output, "search aborted");
  tally.ponderHits = Count(output, "predicted move made");
  return tally;
}

void RunFuzz(uint32_t seed, int lineCount) {
  Engine engine(uint64_t(1) << 20, uint64_t(1) << 18);
  ScriptedInput script;
  std::istream in(&script);
  std::ostringstream out;
  const Communicator* session = nullptr;
  LineMaker maker(seed, session);
  std::string fault;
  int handedOut = 0;
  FuzzTally tally;
  // `inSession`: between two lines of a running session (the end of the
  // input may leave a search unfinished).
  const auto verify = [&](bool inSession) {
    if (!fault.empty()) return;
    const Communicator& s = *session;
    const std::string record = GameRecordFault(s.session().game());
    if (!record.empty())
      fault = record;
    else if (s.session().EnginePlays(kWhite) && s.session().EnginePlays(kBlack))
      fault = "the engine plays both sides";
    else if (inSession && engine.Info().searching == 0 && s.Status().searchActive)
      fault = "a search is marked active while none runs";
    if (!fault.empty())
      fault += " after line " + std::to_string(handedOut - (inSession ? 1 : 0)) + ", the last lines:" + maker.Recent();
    tally.longestGame = std::max(tally.longestGame, int(s.session().game().moves.size()));
    // Keep the output small: tally what is there and start afresh.
    if (out.tellp() > (1 << 20)) {
      tally.Add(Tally(out.str()));
      out.str("");
    }
  };
  const auto check = [&] {
    ++handedOut;
    verify(true);
  };
  script.Add({[] { return std::string("sd 2"); }, {}, {}});
  for (int i = 0; i < lineCount; ++i) maker.Next(script, check);
  fakeNow = 1000000;
  while (!script.Empty()) {
    Communicator communicator(engine, in, -1, out, tally.sessions % 2 == 1, FakeClock);
    session = &communicator;
    in.clear();
    communicator.Run();
    verify(false);
    ++tally.sessions;
  }
  tally.Add(Tally(out.str()));
  EXPECT_EQ(fault, "") << "seed " << seed;
  // The input got the sessions somewhere: games were played and finished.
  EXPECT_GE(tally.sessions, 3);
  EXPECT_GE(tally.engineMoves, lineCount / 20);
  EXPECT_GE(tally.finishedGames, 5);
  EXPECT_GE(tally.longestGame, 10);
  std::cout << "seed " << seed << ": " << handedOut << " lines, " << tally.sessions << " sessions, "
            << tally.engineMoves << " engine moves, " << tally.finishedGames << " game ends, longest game "
            << tally.longestGame << " moves, " << tally.searchesEnded << " searches ended early, "
            << tally.ponderHits << " ponder hits on the console\n";
}

TEST(DialogueFuzz, RandomLinesKeepTheGameLegal) {
  RunFuzz(20240611, 8000);
  RunFuzz(7, 8000);
}

}  // namespace
