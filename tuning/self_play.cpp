#include "tuning/self_play.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <istream>
#include <mutex>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "board/fen.h"
#include "board/moves.h"
#include "board/search_position.h"
#include "position/attacks.h"
#include "position/make_move.h"
#include "position/movegen.h"

namespace {

// Scores beyond this are mates (the search's own bound is higher).
constexpr int kMateScores = 30000;
// The capture search never goes deeper than this; a capture sequence that
// long has long since emptied the board.
constexpr int kCaptureDepth = 40;

// A 64-bit mix of a number (SplitMix64's finaliser).
uint64_t Mix(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// The result and the ending of a game the rules ended.
void TakeRuledResult(const GamePosition& position, SelfPlayGame& game) {
  switch (position.result) {
    case kWhiteWins: game.result = "1-0"; break;
    case kBlackWins: game.result = "0-1"; break;
    default: game.result = "1/2-1/2"; break;
  }
  switch (position.reason) {
    case kReasonMate: game.ending = "mate"; break;
    case kReasonStalemate: game.ending = "stalemate"; break;
    case kReasonInsufficientMaterial: game.ending = "insufficient material"; break;
    case kReasonRepetition: game.ending = "repetition"; break;
    case kReasonFiftyMoves: game.ending = "fifty moves"; break;
    default: game.ending = "rule"; break;
  }
}

double ResultValue(const std::string& result) { return result == "1-0" ? 1.0 : result == "0-1" ? 0.0 : 0.5; }

}  // namespace

std::vector<Opening> ReadOpenings(std::istream& in) {
  std::vector<Opening> openings;
  std::string line;
  while (std::getline(in, line)) {
    const std::string_view text = Trimmed(line);
    if (text.empty() || text.front() == '#') continue;
    std::istringstream words{std::string(text)};
    Opening opening;
    for (std::string word; words >> word;) opening.push_back(word);
    openings.push_back(std::move(opening));
  }
  return openings;
}

QuietTest::QuietTest(EvaluationSet evaluation)
    : pawnTable_(kMinimumPawnHashBytes), evaluator_(pawnTable_), stack_(std::make_unique<PositionStack>()) {
  evaluator_.SelectWeights(evaluation);
}

template <int S>
int QuietTest::CaptureSearch(int alpha, int beta, int depth) {
  const TreePosition& p = stack_->Current();
  const int white = evaluator_.Evaluate(p, -kMateScores, kMateScores);
  const int standPat = S == kWhite ? white : -white;
  if (standPat >= beta || depth == 0) return standPat;
  alpha = std::max(alpha, standPat);
  int best = standPat;
  // The most valuable victim first, by the cheapest attacker.
  Move moves[kMaxMovesPerPosition];
  Move* const end = GenerateCaptures<S>(p, moves);
  const auto key = [](Move m) { return 8 * kPieceValue[MoveCaptured(m)] - MovePiece(m); };
  std::sort(moves, end, [&key](Move a, Move b) { return key(a) > key(b); });
  for (Move* m = moves; m != end; ++m) {
    MakeMove<S>(*stack_, *m);
    const TreePosition& child = stack_->Current();
    if (IsAttackedBy<1 - S>(child, Own<S>(child).kingSquare)) {
      UnmakeMove(*stack_);
      continue;
    }
    const int score = -CaptureSearch<1 - S>(-beta, -alpha, depth - 1);
    UnmakeMove(*stack_);
    if (score > best) {
      best = score;
      if (score >= beta) return score;
      alpha = std::max(alpha, score);
    }
  }
  return best;
}

bool QuietTest::IsQuiet(const GamePosition& position) {
  // The pawn table keeps scores that partly depend on the pieces of the
  // position that stored them: emptied, the verdict depends on this
  // position alone, the same for the writer and for every reader.
  pawnTable_.Clear();
  LoadSearchRoot(*stack_, position);
  const TreePosition& root = stack_->Root();
  if (root.kingAttacked) return false;
  evaluator_.PrepareRoot(root);
  const int white = evaluator_.Evaluate(root, -kMateScores, kMateScores);
  const int standPat = root.side == kWhite ? white : -white;
  // A null window just above the static score: quiet when no capture
  // reaches it.
  const int score = root.side == kWhite ? CaptureSearch<kWhite>(standPat, standPat + 1, kCaptureDepth)
                                        : CaptureSearch<kBlack>(standPat, standPat + 1, kCaptureDepth);
  return score <= standPat;
}

SelfPlayGame PlaySelfPlayGame(Engine& engine, QuietTest& quiet, const Opening& opening, uint64_t number,
                              const SelfPlaySettings& settings) {
  SelfPlayGame played;
  played.number = number;
  Game game;
  for (const std::string& text : opening) game.PlayMove(ParseMove(game.currentPosition, text));
  uint64_t random = Mix(settings.seed ^ Mix(number));
  for (int i = 0; i < settings.randomPlies && game.currentPosition.result == kGameRunning; ++i) {
    const std::vector<Move> moves = PlayableMoves(game.currentPosition);
    random = Mix(random);
    game.PlayMove(moves[random % moves.size()]);
  }

  engine.NewGame();
  SearchListener silent;
  SearchParameters parameters;
  parameters.maxNodes = settings.nodes;
  parameters.style = settings.search;
  parameters.evaluation = settings.evaluation;
  int winStreak = 0, drawStreak = 0;  // winStreak: + White, - Black
  bool first = true;
  while (game.currentPosition.result == kGameRunning) {
    const GamePosition position = game.currentPosition;
    const int ply = int(game.moves.size());
    if (ply >= settings.maxPlies) {
      played.result = "1/2-1/2";
      played.ending = "adjudicated: length";
      break;
    }
    engine.LoadGame(game);
    engine.Think(parameters, silent);
    const SearchInfo& info = engine.Info();
    if (info.pvMoves.empty()) break;  // never with a move to play; safety only
    const Move move = info.pvMoves[0];
    const int whiteScore = position.sideToMove == kWhite ? info.bestScore : -info.bestScore;
    if (first && std::abs(whiteScore) > settings.maxStartScore) {
      played.result = "*";
      played.ending = "skipped: one-sided after the random plies";
      played.positions.clear();
      played.plies = ply;
      return played;
    }
    first = false;

    if (std::abs(whiteScore) < kMateScores && quiet.IsQuiet(position))
      played.positions.push_back(TrainingPosition{ToFen(position, 1 + ply / 2), 0.5, whiteScore});

    // Adjudication by the scores of both sides' searches.
    winStreak = whiteScore >= settings.winScore ? std::max(winStreak, 0) + 1
                : whiteScore <= -settings.winScore ? std::min(winStreak, 0) - 1
                                                   : 0;
    drawStreak = ply >= settings.drawAfterPly && std::abs(whiteScore) <= settings.drawScore ? drawStreak + 1 : 0;
    if (std::abs(winStreak) >= settings.winPlies) {
      played.result = winStreak > 0 ? "1-0" : "0-1";
      played.ending = "adjudicated: win by score";
      break;
    }
    if (drawStreak >= settings.drawPlies) {
      played.result = "1/2-1/2";
      played.ending = "adjudicated: draw by score";
      break;
    }
    game.PlayMove(move);
  }
  if (game.currentPosition.result != kGameRunning) TakeRuledResult(game.currentPosition, played);
  played.plies = int(game.moves.size());
  const double result = ResultValue(played.result);
  for (TrainingPosition& position : played.positions) position.result = result;
  return played;
}

namespace {

// Cuts off whatever follows the file's last complete game (positions
// without their game line, a line without its newline) and returns the
// games it holds, each with whether it was played to a result (false for
// one given up); nothing for a file that does not exist.
std::map<uint64_t, bool> GamesWritten(const std::string& path) {
  std::map<uint64_t, bool> games;
  std::ifstream in(path, std::ios::binary);
  if (!in) return games;
  std::string line;
  std::streamoff offset = 0, kept = 0;
  bool positionsPending = false;
  while (std::getline(in, line) && !in.eof()) {
    offset += std::streamoff(line.size()) + 1;
    if (const std::optional<GameLineFields> game = ReadGameLine(line)) {
      games[game->game] = game->result != "*";
      positionsPending = false;
    } else if (line.empty() || line.front() != '#') {
      positionsPending = true;
    }
    if (!positionsPending) kept = offset;
  }
  in.close();
  std::filesystem::resize_file(path, uintmax_t(kept));
  return games;
}

std::string ProgressLine(uint64_t finished, uint64_t total, uint64_t finishedNow, uint64_t givenUp,
                         uint64_t positions, const int outcomes[3], double seconds) {
  char text[300];
  const double rate = seconds > 0 ? double(finishedNow) / seconds : 0;
  const double remaining = rate > 0 ? double(total - finished) / rate : 0;
  std::snprintf(text, sizeof text,
                "games %llu/%llu (this run: %llu, +%d =%d -%d, %llu given up), positions %llu this run, %.2f "
                "games/s, %.0f s, about %.0f s to go",
                static_cast<unsigned long long>(finished), static_cast<unsigned long long>(total),
                static_cast<unsigned long long>(finishedNow), outcomes[0], outcomes[1], outcomes[2],
                static_cast<unsigned long long>(givenUp), static_cast<unsigned long long>(positions), rate, seconds,
                remaining);
  return text;
}

}  // namespace

uint64_t RunSelfPlay(const SelfPlayRun& run, const std::vector<Opening>& openings, const SelfPlaySettings& settings,
                     const std::function<void(const std::string&)>& progress) {
  const std::map<uint64_t, bool> written = GamesWritten(run.path);
  uint64_t finished = 0;
  for (const auto& [game, playedOut] : written) finished += playedOut ? 1 : 0;

  std::ofstream out(run.path, std::ios::binary | std::ios::app);
  if (!out) throw std::runtime_error("cannot write " + run.path);
  if (!run.header.empty()) out << "# " << run.header << '\n' << std::flush;
  if (finished >= run.games || openings.empty()) return 0;

  // Games go out by number, the lowest not yet written first, while the
  // games finished and under way fall short of the number asked for; a
  // game given up lets another go out. So the run ends with the lowest
  // numbers that were played to a result, whatever the threads' timing.
  std::mutex mutex;
  uint64_t nextNumber = 0, underWay = 0, finishedNow = 0, givenUp = 0, positions = 0;
  int outcomes[3] = {0, 0, 0};  // White wins, draws, Black wins
  const auto start = std::chrono::steady_clock::now();
  auto lastReport = start;
  std::exception_ptr failure;
  const auto take = [&]() -> std::optional<uint64_t> {
    const std::lock_guard<std::mutex> lock(mutex);
    if (failure || finished + underWay >= run.games) return std::nullopt;
    while (written.count(nextNumber)) ++nextNumber;
    ++underWay;
    return nextNumber++;
  };

  const auto work = [&] {
    try {
      Engine engine(run.hashBytes, uint64_t(4) << 20);
      QuietTest quiet(settings.evaluation);
      for (std::optional<uint64_t> number = take(); number; number = take()) {
        const SelfPlayGame game =
            PlaySelfPlayGame(engine, quiet, openings[*number % openings.size()], *number, settings);
        std::string block;
        for (const TrainingPosition& position : game.positions) block += TrainingLine(position) + '\n';
        block += GameLine(game.number, game.result, game.plies, int(game.positions.size()), game.ending) + '\n';
        const std::lock_guard<std::mutex> lock(mutex);
        out << block << std::flush;
        --underWay;
        if (game.result == "*") {
          ++givenUp;
        } else {
          ++finished;
          ++finishedNow;
          ++outcomes[game.result == "1-0" ? 0 : game.result == "0-1" ? 2 : 1];
        }
        positions += game.positions.size();
        const auto now = std::chrono::steady_clock::now();
        if (std::chrono::duration<double>(now - lastReport).count() >= run.progressSeconds || finished == run.games) {
          lastReport = now;
          progress(ProgressLine(finished, run.games, finishedNow, givenUp, positions, outcomes,
                                std::chrono::duration<double>(now - start).count()));
        }
      }
    } catch (...) {
      const std::lock_guard<std::mutex> lock(mutex);
      if (!failure) failure = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  for (int t = 1; t < run.threads; ++t) threads.emplace_back(work);
  work();
  for (std::thread& thread : threads) thread.join();
  if (failure) std::rethrow_exception(failure);
  if (!out) throw std::runtime_error("cannot write " + run.path);
  return finishedNow;
}
