#include "frontend/line_input.h"

#include <sys/select.h>

#include <csignal>
#include <cstdlib>
#include <iostream>

#include "frontend/console_io.h"

namespace {

// The start of the next line, collected without waiting.
std::string pendingText;
bool pendingLineComplete = false;

// Moves the characters that the stream can hand over without waiting into
// the pending text, up to and including the first line end. True when a
// whole line is pending.
bool CollectWaitingCharacters() {
  std::streambuf* buffer = EngineInput().rdbuf();
  while (!pendingLineComplete && buffer->in_avail() > 0) {
    const char c = std::streambuf::traits_type::to_char_type(buffer->sbumpc());
    if (c == '\n')
      pendingLineComplete = true;
    else
      pendingText += c;
  }
  return pendingLineComplete;
}

// One zero-timeout look at descriptor 0.
bool DescriptorReadable() {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(0, &readable);
  timeval noWait{0, 0};
  return select(1, &readable, nullptr, nullptr, &noWait) > 0;
}

}  // namespace

bool InputAvailable() {
  static bool firstCall = true;
  if (firstCall) {
    firstCall = false;
    std::signal(SIGINT, SIG_IGN);
  }
  if (CollectWaitingCharacters()) return true;
  std::istream& in = EngineInput();
  if (!in.good()) return true;
  // A redirected stream (tests) has nothing more to offer than its buffer.
  if (&in != &std::cin) return in.rdbuf()->in_avail() < 0;
  if (!DescriptorReadable()) return false;
  // Readable: either characters arrived since the look at the buffer, or
  // the input has ended.
  if (in.rdbuf()->in_avail() > 0) return CollectWaitingCharacters();
  return true;
}

std::string ReadInputLine() {
  std::string line;
  if (pendingLineComplete) {
    line.swap(pendingText);
    pendingLineComplete = false;
    return line;
  }
  std::string rest;
  if (!std::getline(EngineInput(), rest)) {
    if (pendingText.empty()) {
      EngineOutput().flush();
      std::exit(0);
    }
    rest.clear();
  }
  line.swap(pendingText);
  line += rest;
  return line;
}
