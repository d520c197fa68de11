#include "frontend/output_tracking.h"

#include <iostream>
#include <streambuf>

#include "frontend/console_io.h"

namespace {

// Passes every character on to the target buffer and remembers whether the
// last one ended a line. It has no buffer of its own.
class LineTrackingBuffer : public std::streambuf {
 public:
  explicit LineTrackingBuffer(std::streambuf* target) : target_(target) {}
  bool midLine() const { return midLine_; }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    midLine_ = c != '\n';
    return target_->sputc(traits_type::to_char_type(c));
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    if (n > 0) midLine_ = s[n - 1] != '\n';
    return target_->sputn(s, n);
  }
  int sync() override { return target_->pubsync(); }

 private:
  std::streambuf* target_;
  bool midLine_ = false;
};

LineTrackingBuffer* trackingBuffer = nullptr;

}  // namespace

void InstallTrackedStandardOutput() {
  static LineTrackingBuffer buffer(std::cout.rdbuf());
  static std::ostream stream(&buffer);
  trackingBuffer = &buffer;
  SetEngineStreams(&std::cin, &stream);
}

bool OutputIsMidLine() {
  return trackingBuffer != nullptr && EngineOutput().rdbuf() == trackingBuffer && trackingBuffer->midLine();
}
