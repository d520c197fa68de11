#include "app/startup.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <iostream>

#include "board/game.h"
#include "frontend/communicator.h"
#include "session/string_utils.h"
#include "search/engine.h"
#include "play/play_session.h"
#include "play/play_texts.h"
#include "uci/uci_session.h"

namespace {

constexpr const char* kVersion = "1.0";

// The play mode's look: chess symbols where the locale reads UTF-8, the
// thinking line rewritten in place on a terminal as wide as it is, the
// person's lines echoed and taken one at a time when they come from no
// terminal, and edited as they are typed at one when the build has the
// line editor.
PlayDisplay TerminalDisplay() {
  PlayDisplay display;
  display.glyphs = GlyphsForLocale(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG"));
  display.terminalOutput = isatty(STDOUT_FILENO) != 0;
  winsize size{};
  if (display.terminalOutput && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
    display.columns = size.ws_col;
  display.terminalInput = isatty(STDIN_FILENO) != 0;
  display.lineEditor = display.terminalInput && display.terminalOutput && LineEditorBuiltIn();
  return display;
}

}  // namespace

StartupOptions ScanOptions(const std::vector<std::string>& arguments) {
  StartupOptions options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word == "xboard") {
      options.xboard = true;
    } else if (word == "uci") {
      options.uci = true;
    } else if (word == "play" || word == "p") {
      options.play = true;
    } else if (word == "--help" || word == "-h") {
      options.help = true;
    } else if (word == "--version") {
      options.version = true;
    } else if (word == "hash" || word == "pawnhash") {
      if (i + 1 == arguments.size()) break;
      const long long n = SaturatingAtoi(arguments[++i]);
      if (word == "hash")
        options.hashBytes = n > 0 ? uint64_t(n) * kMebibyte : kMinimumHashBytes;
      else
        options.pawnHashBytes = n > 0 ? uint64_t(n) * kMebibyte : kMinimumPawnHashBytes;
    }
  }
  return options;
}

std::string VersionText() { return std::string("Ravok ") + kVersion + "\n"; }

std::string UsageText() {
  return "Ravok " + std::string(kVersion) +
         ", a chess engine for the console, the xboard protocol and UCI.\n"
         "\n"
         "usage: ravok [xboard | uci] [hash N] [pawnhash N]\n"
         "       ravok play | p [hash N] [pawnhash N]\n"
         "       ravok --help | -h | --version\n"
         "\n"
         "  play, p      a game against Ravok in the terminal: the board after every\n"
         "               move, moves as e4 or Nf3, levels of strength, clocks, undo,\n"
         "               hints, saved games; \"help\" lists the commands\n"
         "  (nothing)    the console: you play White, Ravok answers as Black; type moves\n"
         "               as e2e4 or Nf3, \"go\" to let Ravok play the side to move,\n"
         "               \"help\" for the commands, \"quit\" to leave\n"
         "  xboard       the xboard protocol, for graphical interfaces (an interface's\n"
         "               first command \"xboard\" does the same)\n"
         "  uci          the Universal Chess Interface (a first command \"uci\" does the same)\n"
         "  hash N       transposition table of N MiB (default " + std::to_string(kDefaultHashBytes / kMebibyte) + ")\n"
         "  pawnhash N   pawn hash table of N MiB (default " + std::to_string(kDefaultPawnHashBytes / kMebibyte) + ")\n"
         "  --help, -h   this text\n"
         "  --version    the version\n"
         "\n"
         "README.md in the source tree is the guide.\n";
}

int RunEngine(int argc, char** argv) {
  // The standard input gets a buffer of its own, so that a poll during the
  // search can see the lines that wait in it. Interfaces interrupt engines
  // before their moves: the interrupt signal must not end Ravok, not even
  // before its first search.
  std::ios::sync_with_stdio(false);
  std::signal(SIGINT, SIG_IGN);

  // The usage or the version, and nothing more.
  const StartupOptions options = ScanOptions(std::vector<std::string>(argv, argv + argc));
  if (options.help || options.version) {
    std::cout << (options.help ? UsageText() : VersionText());
    return 0;
  }

  // Tables and hash keys, then the engine with its tables; the search
  // position holds the initial position from the start.
  InitEngineTables();
  Engine engine(options.hashBytes, options.pawnHashBytes);
  engine.LoadGame(Game());

  // The play mode for a person at a terminal, whom the interrupt key lets
  // leave as in any terminal program.
  if (options.play) {
    std::signal(SIGINT, SIG_DFL);
    PlaySession session(engine, std::cin, 0, std::cout, TerminalDisplay());
    session.Run();
    return 0;
  }

  // The console or xboard dialogue, until "quit", "end" or the end of the
  // input, unless the command line asks for UCI. "uci" as its first command
  // ends it too: the UCI dialogue then answers that "uci" and goes on.
  if (!options.uci) {
    Communicator session(engine, std::cin, 0, std::cout, options.xboard);
    session.Run();
    if (!session.UciRequested()) return 0;
  }
  UciSession uci(engine, std::cin, 0, std::cout);
  uci.Run(!options.uci);
  return 0;
}
