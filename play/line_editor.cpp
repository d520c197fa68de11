#include "play/line_editor.h"

#ifdef RAVOK_LINE_EDITOR

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <ostream>

// libedit's readline interface, with the callbacks that let the program
// write while a line is being edited.
#include <editline/readline.h>

#include "base/end_of_input.h"
#include "base/platform.h"

namespace {

// Earlier lines the arrows bring back.
constexpr int kHistoryLines = 500;

// The columns a text takes on the terminal: one for each character, the
// bytes of one UTF-8 character counted once.
size_t Width(const char* text, size_t bytes) {
  size_t width = 0;
  for (size_t i = 0; i < bytes; ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++width;
  return width;
}
size_t Width(const std::string& text) { return Width(text.data(), text.size()); }

class LibeditLine;
// libedit's readline interface keeps one edited line for the whole program
// and hands each line entered to a plain function, which passes it on to
// the editor that owns the terminal.
LibeditLine* terminalOwner = nullptr;

class LibeditLine final : public LineEditor {
 public:
  LibeditLine(int descriptor, std::ostream& out, int columns)
      : descriptor_(descriptor), out_(out), columns_(size_t(columns > 1 ? columns : 80)) {
    terminalOwner = this;
    using_history();
    stifle_history(kHistoryLines);
    Install();
  }

  ~LibeditLine() override {
    Hide();
    rl_callback_handler_remove();
    terminalOwner = nullptr;
  }

  bool InputAvailable() override {
    while (lines_.empty() && !ended_ && Readable(0)) ReadOneCharacter();
    return !lines_.empty() || ended_;
  }

  bool WaitForInput(Milliseconds most) override {
    const TimePoint end = Now() + most;
    for (;;) {
      if (InputAvailable()) return true;
      const Milliseconds left = most < 0 ? -1 : end - Now();
      if (most >= 0 && left <= 0) return false;
      Readable(left);
    }
  }

  std::string ReadLine() override {
    WaitForInput(-1);
    if (lines_.empty()) throw end_of_input();
    std::string line = std::move(lines_.front());
    lines_.pop_front();
    return line;
  }

  void Hide() override {
    if (!shown_) return;
    shown_ = false;
    // Nothing shown (no prompt, no line): the cursor is at the start of
    // its row already.
    if (prompt_.empty() && LineLength() == 0) return;
    // The cursor's row within the prompt and the line.
    const size_t before = lineStale_ ? 0 : Width(rl_line_buffer, size_t(std::max(rl_point, 0)));
    const size_t row = (Width(prompt_) + before) / columns_;
    out_ << '\r';
    if (row > 0) out_ << "\x1b[" << row << 'A';
    out_ << "\x1b[J";
    out_.flush();
  }

  void Show() override {
    if (shown_ || ended_) return;
    out_.flush();
    rl_forced_update_display();
    std::fflush(stdout);
    shown_ = true;
  }

  void SetPrompt(const std::string& prompt) override {
    if (prompt == prompt_) return;
    const bool shown = shown_;
    Hide();
    prompt_ = prompt;
    rl_set_prompt(prompt_.c_str());
    if (shown) Show();
  }

  // A line entered (nothing: Ctrl-D on an empty line, which libedit has
  // written after the prompt; both go, and the editor with them). libedit
  // has moved the cursor below the line: the line is erased, to be written
  // back by the output where it belongs, above the thinking line.
  void Entered(char* line) {
    if (line == nullptr) {
      out_ << "\r\x1b[J";
      out_.flush();
      shown_ = false;
      ended_ = true;
      return;
    }
    std::string text(line);
    std::free(line);
    const size_t rows = (Width(prompt_) + Width(text)) / columns_ + 1;
    out_ << "\r\x1b[" << rows << "A\x1b[J";
    out_.flush();
    shown_ = false;
    if (!text.empty() && (history_length == 0 || text != LastHistoryLine())) add_history(text.c_str());
    lines_.push_back(std::move(text));
    entered_ = true;
  }

 private:
  static void LineEntered(char* line) {
    if (terminalOwner != nullptr) terminalOwner->Entered(line);
  }

  // libedit takes the terminal for editing and shows the prompt.
  void Install() {
    out_.flush();
    rl_callback_handler_install(prompt_.c_str(), LineEntered);
    std::fflush(stdout);
    shown_ = true;
    lineStale_ = true;
  }

  size_t LineLength() const { return lineStale_ ? 0 : size_t(std::max(rl_end, 0)); }

  static std::string LastHistoryLine() {
    const HIST_ENTRY* last = history_get(history_base + history_length - 1);
    return last != nullptr && last->line != nullptr ? last->line : "";
  }

  bool Readable(Milliseconds wait) const { return InputReadable(descriptor_, wait); }

  // One character to libedit. A terminal that is readable with nothing to
  // read has hung up: the input has ended. After a line libedit gives the
  // terminal back; it takes it again at once, so that what the person
  // types next is neither echoed nor held by the terminal.
  void ReadOneCharacter() {
    if (InputBytesWaiting(descriptor_) == 0) {
      ended_ = true;
      return;
    }
    out_.flush();
    rl_callback_read_char();
    std::fflush(stdout);
    lineStale_ = false;
    if (ended_) rl_callback_handler_remove();
    if (!entered_ || ended_) return;
    entered_ = false;
    rl_callback_handler_remove();
    Install();
  }

  int descriptor_;
  std::ostream& out_;
  size_t columns_;
  std::string prompt_;
  std::deque<std::string> lines_;
  bool ended_ = false;
  bool entered_ = false;
  bool shown_ = false;
  // libedit's line buffer and cursor still tell of the last line until
  // the next character is read: the line is empty meanwhile.
  bool lineStale_ = true;
};

}  // namespace

bool LineEditorBuiltIn() { return true; }

std::unique_ptr<LineEditor> MakeLineEditor(int descriptor, std::ostream& out, int columns) {
  return std::make_unique<LibeditLine>(descriptor, out, columns);
}

#else

bool LineEditorBuiltIn() { return false; }

std::unique_ptr<LineEditor> MakeLineEditor(int, std::ostream&, int) { return nullptr; }

#endif
