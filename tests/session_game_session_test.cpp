// The game session's clocks as the play mode drives them: a time control
// dropped again, clocks stopped at the end of a game and restarted after
// moves replayed without them; and the line reader's bounded wait on a
// pipe, timed by the monotonic clock.
#include <gtest/gtest.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#include <ext/stdio_filebuf.h>
#include <istream>

#include "board/moves.h"
#include "session/game_session.h"
#include "session/line_input.h"

namespace {

TimePoint fakeNow = 1000;
TimePoint FakeClock() { return fakeNow; }

void Play(GameSession& session, const std::string& text, bool clocksRun) {
  session.PlayMove(ParseMove(session.game().currentPosition, text), clocksRun);
}

TEST(GameSessionClocks, ATimeControlClearedLetsNoFlagFall) {
  GameSession session(FakeClock);
  session.SetTimeControl(TimeControl{60000, 0, 0, 2000});
  ASSERT_TRUE(session.ClockMode());
  Play(session, "e2e4", true);
  EXPECT_EQ(session.Clock(kWhite).remaining, 62000);
  EXPECT_TRUE(session.Clock(kBlack).running);
  session.ClearTimeControl();
  EXPECT_FALSE(session.ClockMode());
  EXPECT_EQ(session.timeControl(), TimeControl{});
  EXPECT_FALSE(session.Clock(kBlack).running);
  fakeNow += 3600000;
  EXPECT_FALSE(session.FlagFalls());
  EXPECT_FALSE(session.GameOver());
}

TEST(GameSessionClocks, StoppedAndRestartedAroundMovesReplayed) {
  GameSession session(FakeClock);
  session.SetTimeControl(TimeControl{60000, 0, 0, 0});
  fakeNow += 5000;
  session.StopClocks();
  EXPECT_FALSE(session.Clock(kWhite).running);
  EXPECT_EQ(session.Clock(kWhite).remaining, 55000);
  fakeNow += 5000;
  // Two moves played again without the clocks: White's clock, which stood,
  // runs again; Black's neither ran nor gained.
  Play(session, "e2e4", false);
  Play(session, "e7e5", false);
  session.RunClockOfSideToMove();
  EXPECT_TRUE(session.Clock(kWhite).running);
  EXPECT_FALSE(session.Clock(kBlack).running);
  fakeNow += 1000;
  session.StopClocks();
  EXPECT_EQ(session.Clock(kWhite).remaining, 54000);
  EXPECT_EQ(session.Clock(kBlack).remaining, 60000);
}

// A pipe as interfaces give an engine its input (on Windows, bytes passed as
// they are).
int OpenPipe(int ends[2]) {
#ifdef _WIN32
  return _pipe(ends, 4096, _O_BINARY);
#else
  return pipe(ends);
#endif
}

// A reader on the read end of a pipe, as standard input is read.
struct PipeReader {
  PipeReader() {
    EXPECT_EQ(OpenPipe(ends), 0);
    buffer = std::make_unique<__gnu_cxx::stdio_filebuf<char>>(ends[0], std::ios::in);
    stream = std::make_unique<std::istream>(buffer.get());
    reader = std::make_unique<LineReader>(*stream, ends[0]);
  }
  ~PipeReader() {
    if (ends[1] >= 0) close(ends[1]);
  }
  void Write(const std::string& text) { EXPECT_EQ(write(ends[1], text.data(), unsigned(text.size())), int(text.size())); }
  void CloseWriteEnd() {
    close(ends[1]);
    ends[1] = -1;
  }

  int ends[2] = {-1, -1};
  std::unique_ptr<__gnu_cxx::stdio_filebuf<char>> buffer;
  std::unique_ptr<std::istream> stream;
  std::unique_ptr<LineReader> reader;
};

// A wait that finds no line takes its whole time on the clock, which never
// goes back.
void ExpectNoLineFor(PipeReader& pipe, Milliseconds wait) {
  const TimePoint start = Now();
  EXPECT_FALSE(pipe.reader->WaitForInput(wait));
  EXPECT_GE(Now() - start, wait);
}

TEST(LineReaderWait, AHalfLineIsNoLineAndTheEndIsInput) {
  PipeReader pipe;
  ExpectNoLineFor(pipe, 20);
  pipe.Write("e2");
  ExpectNoLineFor(pipe, 20);
  EXPECT_FALSE(pipe.reader->InputAvailable());
  pipe.Write("e4\nNf3\n");
  ASSERT_TRUE(pipe.reader->WaitForInput(-1));
  EXPECT_EQ(pipe.reader->ReadLine(), "e2e4");
  ASSERT_TRUE(pipe.reader->WaitForInput(0));
  EXPECT_EQ(pipe.reader->ReadLine(), "Nf3");
  pipe.CloseWriteEnd();
  EXPECT_TRUE(pipe.reader->WaitForInput(-1));
}

}  // namespace
