// The person's line at a terminal, edited while Ravok goes on writing: the
// cursor moves along the line, the up and down arrows bring back earlier
// lines, and what the program writes goes above the line, which is drawn
// again below it. Built on libedit when the build found it; without it
// there is no editor and the play mode reads plain lines.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "base/clock.h"

class LineEditor {
 public:
  virtual ~LineEditor() = default;

  // Reading, as a LineReader reads: never blocks; waits at most `most`
  // milliseconds (as long as it takes when negative); the next line entered,
  // waiting for it, or end_of_input after Ctrl-D on an empty line.
  virtual bool InputAvailable() = 0;
  virtual bool WaitForInput(Milliseconds most) = 0;
  virtual std::string ReadLine() = 0;

  // The screen. Hide erases the prompt and the line and leaves the cursor
  // at the start of their first row; Show draws them again at the cursor,
  // which is at the start of a row. A line just entered is erased from
  // the screen at once: the output writes it back among its own lines.
  virtual void Hide() = 0;
  virtual void Show() = 0;
  // The prompt before the line, drawn at once where the line is shown.
  virtual void SetPrompt(const std::string& prompt) = 0;
};

// Whether this build has the line editor.
bool LineEditorBuiltIn();

// The editor on the terminal behind `descriptor`, writing to `out` (the
// terminal behind standard output) `columns` wide; it takes the terminal
// over and gives it back as it was when destroyed. None without libedit.
std::unique_ptr<LineEditor> MakeLineEditor(int descriptor, std::ostream& out, int columns);
