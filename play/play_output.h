// What the play mode writes: whole lines, the prompt, and the one status
// line of Ravok's thinking. On a terminal the status line is rewritten in
// place (carriage return, the text, erase to the end of the line) and
// lines written meanwhile go above it; elsewhere (a pipe, a file) only the
// last status is written, once, as a line of its own. With the line editor
// the person's line stays at the bottom, below the status line: the
// editor shows the prompt, and each line entered is written back.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "play/line_editor.h"

class PlayOutput {
 public:
  // `terminal`: the output is a terminal `columns` wide. `echo`: the
  // person's lines are written after the prompt (their input is no
  // terminal, which would show them itself).
  PlayOutput(std::ostream& out, bool terminal, int columns, bool echo);

  // The line editor on the terminal, which keeps the person's line below
  // everything written; none for plain lines.
  void UseEditor(LineEditor* editor) { editor_ = editor; }

  void Line(const std::string& text);
  void Lines(const std::vector<std::string>& lines);
  // The prompt stays open for the person's line; InputRead closes it.
  void Prompt(const std::string& text);
  void InputRead(const std::string& line);

  // The thinking so far; EndStatus keeps the last one as a line (or drops
  // it from a terminal when the search's result is dropped too).
  void Status(const std::string& text);
  void EndStatus(bool keep);

  // The session ends: an open prompt or status line is ended.
  void Close();

 private:
  void Write(const std::string& text);
  // On a terminal: the status line, cut to the width, at the start of the
  // cursor's line.
  void DrawStatus();
  void EraseStatus();
  // With the editor: the status line and the person's line are erased
  // before a write and drawn again after it.
  void HideBottom();
  void ShowBottom();

  std::ostream& out_;
  bool terminal_;
  size_t columns_;
  bool echo_;
  std::string status_;
  bool statusShown_ = false;  // on the terminal's last line
  bool promptOpen_ = false;
  LineEditor* editor_ = nullptr;
  std::string editorPrompt_;
};
