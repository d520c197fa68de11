// In-process dialogue sessions for the front-end tests: a scripted input
// whose lines can wait for the session to reach a chosen state, a clock that
// only the test moves, and the check that a game record is legal.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <istream>
#include <sstream>
#include <string>
#include <utility>

#include "board/game.h"
#include "board/moves.h"
#include "frontend/communicator.h"
#include "search/engine.h"

namespace session_test {

// The session's time: it moves only when a test moves it.
inline TimePoint fakeNow = 1000000;
inline TimePoint FakeClock() { return fakeNow; }

// Input lines handed to the session one at a time. A line may wait for a
// condition: a poll during a search sees it only once the condition holds,
// so a command can be aimed at a search in a chosen state. A blocking read
// (the idle loop, the edit dialogue) takes the next line at once; if its
// condition does not hold then, the session went astray: the test fails and
// the input ends. After the last line the input ends; a poll sees the end
// only once `endReady` holds (when it is set).
class ScriptedInput : public std::streambuf {
 public:
  struct Line {
    std::function<std::string()> text;  // made when the line is handed out
    std::function<bool()> ready;        // empty: at once
    std::function<void()> before;       // runs just before it is handed out
  };

  void Add(Line line) { lines_.push_back(std::move(line)); }
  bool Empty() const { return lines_.empty() && gptr() == egptr(); }

  std::function<bool()> endReady;

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (lines_.empty()) return traits_type::eof();
    if (lines_.front().ready && !lines_.front().ready()) {
      ADD_FAILURE() << "the session waits for input that is meant for a search";
      lines_.clear();
      return traits_type::eof();
    }
    Release();
    return traits_type::to_int_type(*gptr());
  }

  std::streamsize showmanyc() override {
    const std::function<bool()>& ready = lines_.empty() ? endReady : lines_.front().ready;
    if (ready && !ready()) {
      // A search that never reaches the state the input waits for: give up
      // long before a test time-out would.
      if (++refusedPolls_ <= kPatience) return 0;
      ADD_FAILURE() << "the search never reached the state the input waits for";
      lines_.clear();
      endReady = {};
    }
    if (lines_.empty()) return -1;
    Release();
    return egptr() - gptr();
  }

 private:
  static constexpr long kPatience = 20000;

  void Release() {
    Line line = std::move(lines_.front());
    lines_.pop_front();
    refusedPolls_ = 0;
    if (line.before) line.before();
    current_ = line.text() + '\n';
    setg(current_.data(), current_.data(), current_.data() + current_.size());
  }

  std::deque<Line> lines_;
  std::string current_;
  long refusedPolls_ = 0;
};

// One console or xboard session on an engine of its own, reading the script
// and writing into a string, on the fake clock.
class Session {
 public:
  // A search on the engine's move runs to its end after the last line; a
  // ponder search or an analysis ends with the input.
  explicit Session(bool xboard = false) : comm(engine, in, -1, out, xboard, FakeClock) {
    script.endReady = [this] { return !Searching(kModeThink); };
  }

  // A line for the idle loop, or for a search once `ready` holds (AtOnce():
  // whatever reads next). `before` runs when it is handed out.
  void Send(const std::string& text, std::function<bool()> ready = {}, std::function<void()> before = {}) {
    SendMade([text] { return text; }, std::move(ready), std::move(before));
  }
  // The same with the text made when the line is handed out.
  void SendMade(std::function<std::string()> text, std::function<bool()> ready = {},
                std::function<void()> before = {}) {
    script.Add({std::move(text), ready ? std::move(ready) : Idle(), std::move(before)});
  }
  // Runs the dialogue on the lines sent so far, to the end of the input.
  void Run() {
    in.clear();
    comm.Run();
  }
  std::string Output() const { return out.str(); }

  // The running search and its mode as the dialogue sees it.
  bool Searching(int mode) const {
    return engine.Info().searching != 0 && comm.Status().parameters.mode == mode;
  }
  std::function<bool()> While(int mode, int depth = 0) const {
    return [this, mode, depth] { return Searching(mode) && engine.Info().displayDepth >= depth; };
  }
  std::function<bool()> Idle() const {
    return [this] { return engine.Info().searching == 0; };
  }
  static std::function<bool()> AtOnce() {
    return [] { return true; };
  }

  Engine engine{uint64_t(1) << 20, uint64_t(1) << 18};
  ScriptedInput script;
  std::istream in{&script};
  std::ostringstream out;
  Communicator comm;
};

// The game record replays: every move is legal where it was played, and the
// replay ends in the current position (the result fields aside). Empty when
// all is well, otherwise what went wrong.
inline std::string GameRecordFault(const Game& game) {
  if (!game.startPosition.IsValidPosition()) return "the start position is not valid";
  GamePosition position = game.startPosition;
  for (size_t i = 0; i < game.moves.size(); ++i) {
    if (!IsLegalMove(position, game.moves[i])) return "move " + std::to_string(i + 1) + " is not legal";
    ApplyMove(position, game.moves[i]);
  }
  position.result = game.currentPosition.result;
  position.reason = game.currentPosition.reason;
  if (!(position == game.currentPosition)) return "the current position is not the replay's";
  return "";
}

// How often `text` occurs in `output`.
inline int Count(const std::string& output, const std::string& text) {
  int n = 0;
  for (size_t at = output.find(text); at != std::string::npos; at = output.find(text, at + text.size())) ++n;
  return n;
}

// Console searches started in `output`: each shows its first iteration's
// header.
inline int SearchesStarted(const std::string& output) {
  return Count(output, "depth 2\n") + Count(output, "depth 2 (");
}

}  // namespace session_test
