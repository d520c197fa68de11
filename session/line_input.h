// Input lines for the command loop and for the polls during a search.
#pragma once

#include <iosfwd>
#include <string>

#include "base/clock.h"

// Where a dialogue's lines come from, as its searches read them.
class LineSource {
 public:
  virtual ~LineSource() = default;
  // Never blocks: true when a whole line is waiting, or when the input has
  // ended (the next ReadLine then throws end_of_input).
  virtual bool InputAvailable() = 0;
  // The next line, waiting for it; end_of_input at the end of the input.
  virtual std::string ReadLine() = 0;
};

class LineReader : public LineSource {
 public:
  // Reads from `in`. `descriptor` is the file descriptor behind the stream
  // (0 for standard input), or -1 when the stream's buffer is all there is
  // (a string stream in a test).
  LineReader(std::istream& in, int descriptor);

  // Never blocks: true when a whole input line is waiting, or when the
  // input has ended (the next ReadLine then throws end_of_input).
  // Characters that already arrived are collected, so a half line neither
  // blocks the search nor counts as a line.
  bool InputAvailable() override;

  // Waits until InputAvailable holds, at most `most` milliseconds (as long
  // as it takes when `most` is negative), and returns InputAvailable.
  bool WaitForInput(Milliseconds most);

  // The next input line without its line end (a carriage return before
  // the line end goes with it); waits for it. At the end of
  // the input or on a read error it throws end_of_input (a last line
  // without a line end is still returned first).
  std::string ReadLine() override;

  std::istream& Stream() { return in_; }

 private:
  bool CollectWaitingCharacters();

  std::istream& in_;
  int descriptor_;
  // The start of the next line, collected without waiting.
  std::string pendingText_;
  bool pendingLineComplete_ = false;
};
