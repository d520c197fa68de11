// An output stream that remembers whether its last character ended a line:
// the search's fail-high and fail-low markers stand without a line end, and
// a reply written during the search must not be glued to them.
#pragma once

#include <ostream>
#include <streambuf>

class TrackedOutput {
 public:
  // Writes through to `target`'s buffer.
  explicit TrackedOutput(std::ostream& target) : buffer_(target.rdbuf()), stream_(&buffer_) {}
  TrackedOutput(const TrackedOutput&) = delete;
  TrackedOutput& operator=(const TrackedOutput&) = delete;

  std::ostream& Stream() { return stream_; }
  // The last character written was not a line end.
  bool MidLine() const { return buffer_.midLine; }

 private:
  // Passes every character on to the target buffer and remembers whether
  // the last one ended a line. It has no buffer of its own.
  struct LineTrackingBuffer : std::streambuf {
    explicit LineTrackingBuffer(std::streambuf* to) : target(to) {}
    int_type overflow(int_type c) override {
      if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
      midLine = c != '\n';
      return target->sputc(traits_type::to_char_type(c));
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
      if (n > 0) midLine = s[n - 1] != '\n';
      return target->sputn(s, n);
    }
    int sync() override { return target->pubsync(); }

    std::streambuf* target;
    bool midLine = false;
  };

  LineTrackingBuffer buffer_;
  std::ostream stream_;
};
