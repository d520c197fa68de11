#include "play/play_output.h"

#include <algorithm>
#include <ostream>

#include "play/play_texts.h"

namespace {

// Carriage return, and erase to the end of the line.
constexpr const char* kLineStart = "\r";
constexpr const char* kEraseToEnd = "\x1b[K";
// The most of an input line written back.
constexpr size_t kLongestEcho = 200;

}  // namespace

PlayOutput::PlayOutput(std::ostream& out, bool terminal, int columns, bool echo)
    : out_(out), terminal_(terminal), columns_(size_t(columns > 1 ? columns : 80)), echo_(echo) {}

void PlayOutput::Write(const std::string& text) {
  out_ << text;
  out_.flush();
}

void PlayOutput::Line(const std::string& text) {
  if (editor_ != nullptr) {
    HideBottom();
    Write(text + "\n");
    ShowBottom();
    return;
  }
  if (promptOpen_) Write("\n");
  promptOpen_ = false;
  if (!statusShown_) {
    Write(text + "\n");
    return;
  }
  EraseStatus();
  Write(text + "\n");
  DrawStatus();
}

void PlayOutput::Lines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) Line(line);
}

void PlayOutput::Prompt(const std::string& text) {
  if (editor_ != nullptr) {
    editorPrompt_ = text;
    editor_->SetPrompt(text);
    return;
  }
  if (promptOpen_) Write("\n");
  Write(text);
  promptOpen_ = true;
}

void PlayOutput::InputRead(const std::string& line) {
  if (editor_ != nullptr) {
    // The line as it was entered, after its prompt; while Ravok thinks the
    // person types without one.
    const std::string entered = editorPrompt_ + Printable(line, kLongestEcho);
    HideBottom();
    editorPrompt_.clear();
    editor_->SetPrompt(editorPrompt_);
    Write(entered + "\n");
    ShowBottom();
    return;
  }
  if (!echo_) {
    promptOpen_ = false;
    return;
  }
  std::string shown = Printable(line, kLongestEcho);
  if (!promptOpen_) shown.insert(0, "> ");
  promptOpen_ = false;
  Line(shown);
}

void PlayOutput::Status(const std::string& text) {
  status_ = text;
  if (!terminal_) return;
  if (editor_ != nullptr) {
    HideBottom();
    statusShown_ = true;
    ShowBottom();
    return;
  }
  if (promptOpen_) Write("\n");
  promptOpen_ = false;
  DrawStatus();
}

void PlayOutput::EndStatus(bool keep) {
  if (editor_ != nullptr) {
    HideBottom();
    if (keep && !status_.empty()) {
      DrawStatus();
      Write("\n");
    }
    statusShown_ = false;
    status_.clear();
    ShowBottom();
    return;
  }
  if (statusShown_) {
    if (keep)
      Write("\n");
    else
      EraseStatus();
  } else if (keep && !status_.empty()) {
    Line(status_);
  }
  statusShown_ = false;
  status_.clear();
}

void PlayOutput::Close() {
  if (editor_ != nullptr) {
    HideBottom();
    statusShown_ = false;
    return;
  }
  if (promptOpen_ || statusShown_) Write("\n");
  promptOpen_ = statusShown_ = false;
}

void PlayOutput::DrawStatus() {
  out_ << kLineStart;
  out_.write(status_.data(), std::streamsize(std::min(status_.size(), columns_ - 1)));
  out_ << kEraseToEnd;
  out_.flush();
  statusShown_ = true;
}

void PlayOutput::EraseStatus() {
  out_ << kLineStart << kEraseToEnd;
  out_.flush();
  statusShown_ = false;
}

void PlayOutput::HideBottom() {
  editor_->Hide();
  // The status line is the row above the person's line.
  if (statusShown_) Write("\x1b[A" + std::string(kLineStart) + kEraseToEnd);
}

void PlayOutput::ShowBottom() {
  if (statusShown_) {
    DrawStatus();
    Write("\n");
  }
  editor_->Show();
}
