#include "session/line_input.h"

#include <istream>

#include "base/end_of_input.h"
#include "base/platform.h"

LineReader::LineReader(std::istream& in, int descriptor) : in_(in), descriptor_(descriptor) {}

// Moves the characters that the stream can hand over without waiting into
// the pending text, up to and including the first line end. True when a
// whole line is pending.
bool LineReader::CollectWaitingCharacters() {
  std::streambuf* buffer = in_.rdbuf();
  while (!pendingLineComplete_ && buffer->in_avail() > 0) {
    const char c = std::streambuf::traits_type::to_char_type(buffer->sbumpc());
    if (c == '\n')
      pendingLineComplete_ = true;
    else
      pendingText_ += c;
  }
  return pendingLineComplete_;
}

bool LineReader::InputAvailable() {
  if (CollectWaitingCharacters()) return true;
  if (!in_.good()) return true;
  // A stream without a descriptor has nothing more to offer than its buffer.
  if (descriptor_ < 0) return in_.rdbuf()->in_avail() < 0;
  if (!InputReadable(descriptor_, 0)) return false;
  // Readable: either characters arrived since the look at the buffer, and
  // the stream takes them in without waiting, or the input has ended.
  if (in_.rdbuf()->sgetc() == std::streambuf::traits_type::eof()) return true;
  return CollectWaitingCharacters();
}

bool LineReader::WaitForInput(Milliseconds most) {
  const TimePoint end = Now() + most;
  for (;;) {
    if (InputAvailable()) return true;
    if (descriptor_ < 0) return false;
    // Characters that arrive without a line end are collected by the next
    // look; the wait goes on for the rest of the line.
    const Milliseconds left = most < 0 ? -1 : end - Now();
    if (most >= 0 && left <= 0) return false;
    InputReadable(descriptor_, left);
  }
}

namespace {

// A line written with a carriage return before its line end (as tools on
// other systems write them) is the same line.
std::string WithoutCarriageReturn(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

std::string LineReader::ReadLine() {
  std::string line;
  if (pendingLineComplete_) {
    line.swap(pendingText_);
    pendingLineComplete_ = false;
    return WithoutCarriageReturn(std::move(line));
  }
  std::string rest;
  if (!std::getline(in_, rest)) {
    if (pendingText_.empty()) throw end_of_input();
    rest.clear();
  }
  line.swap(pendingText_);
  line += rest;
  return WithoutCarriageReturn(std::move(line));
}
