#include "session/line_input.h"

#include <sys/select.h>

#include <istream>

#include "base/end_of_input.h"

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

bool LineReader::DescriptorReadable(Milliseconds wait) const {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(descriptor_, &readable);
  timeval limit{time_t(wait / kMillisecondsPerSecond), suseconds_t(wait % kMillisecondsPerSecond * 1000)};
  return select(descriptor_ + 1, &readable, nullptr, nullptr, wait < 0 ? nullptr : &limit) > 0;
}

bool LineReader::InputAvailable() {
  if (CollectWaitingCharacters()) return true;
  if (!in_.good()) return true;
  // A stream without a descriptor has nothing more to offer than its buffer.
  if (descriptor_ < 0) return in_.rdbuf()->in_avail() < 0;
  if (!DescriptorReadable()) return false;
  // Readable: either characters arrived since the look at the buffer, or
  // the input has ended.
  if (in_.rdbuf()->in_avail() > 0) return CollectWaitingCharacters();
  return true;
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
    DescriptorReadable(left);
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
