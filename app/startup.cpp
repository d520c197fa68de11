#include "app/startup.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iostream>
#include <optional>

#include "app/bench_command.h"
#include "base/platform.h"
#include "board/game.h"
#include "frontend/communicator.h"
#include "session/string_utils.h"
#include "search/engine.h"
#include "play/play_session.h"
#include "play/play_texts.h"
#include "uci/uci_session.h"

namespace {

constexpr const char* kVersion = "1.0";

// The play mode's look: chess symbols where the terminal shows them (where
// the system cannot tell, where the locale reads UTF-8), the thinking line
// rewritten in place on a terminal as wide as it is, the person's lines
// echoed and taken one at a time when they come from no terminal, and
// edited as they are typed at one when the build has the line editor.
PlayDisplay TerminalDisplay() {
  const Terminal terminal = PrepareTerminal();
  PlayDisplay display;
  if (terminal.symbols)
    display.glyphs = *terminal.symbols ? PieceGlyphs::kUnicode : PieceGlyphs::kAscii;
  else
    display.glyphs = GlyphsForLocale(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG"));
  display.terminalOutput = terminal.output;
  if (terminal.columns > 0) display.columns = terminal.columns;
  display.terminalInput = terminal.input;
  display.lineEditor = display.terminalInput && display.terminalOutput && LineEditorBuiltIn();
  return display;
}

// The words the command line takes.
constexpr const char* kWords[] = {"play", "p", "xboard", "uci", "bench", "hash", "pawnhash", "--help", "-h", "--version"};

// Edits from one word to the other: letters put in, left out, changed, or
// two neighbours swapped.
size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i)
    for (size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[a.size()][b.size()];
}

std::string LowerCase(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

StartupOptions ScanOptions(const std::vector<std::string>& arguments) {
  StartupOptions options;
  // The protocol's words in capitals are passed over, as any word after
  // the first that the scan does not know: an interface may send them.
  if (arguments.size() > 1) {
    const std::string& first = arguments[1];
    const std::string lowered = LowerCase(first);
    const bool known = std::find(std::begin(kWords), std::end(kWords), first) != std::end(kWords);
    if (!known && lowered != "xboard" && lowered != "hash" && lowered != "pawnhash") options.unknownWord = first;
  }
  // "bench" takes the words after it as its own.
  if (arguments.size() > 1 && arguments[1] == "bench") {
    options.bench = true;
    options.benchWords.assign(arguments.begin() + 2, arguments.end());
    return options;
  }
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
         "       ravok bench [depth N] [threads N] [search classic | selective]\n"
         "                   [evaluation classic | tuned]\n"
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
         "  bench        searches 30 fixed positions and prints the total nodes, the\n"
         "               search's signature, and the speed; with UCI's search and\n"
         "               evaluation unless told otherwise, to 12 iterations for the\n"
         "               selective search and 6 for the classic one unless \"depth N\"\n"
         "  hash N       transposition table of N MiB (default " + std::to_string(kDefaultHashBytes / kMebibyte) + ")\n"
         "  pawnhash N   pawn hash table of N MiB (default " + std::to_string(kDefaultPawnHashBytes / kMebibyte) + ")\n"
         "  --help, -h   this text\n"
         "  --version    the version\n"
         "\n"
         "README.md in the source tree is the guide.\n";
}

std::string UnknownWordText(const std::string& word) {
  std::string text = "ravok: unknown word \"" + word + "\"";
  const std::string lowered = LowerCase(word);
  for (const char* known : kWords)
    if (lowered == known || (std::string(known).size() > 2 && EditDistance(lowered, known) <= 2)) {
      text += std::string("; did you mean ") + known + "?";
      break;
    }
  return text + "\n\n" + UsageText();
}

int RunEngine(int argc, char** argv) {
  // The standard input gets a buffer of its own, so that a poll during the
  // search can see the lines that wait in it; both standard streams carry
  // the dialogues' bytes unchanged. Interfaces interrupt engines before
  // their moves: the interrupt signal must not end Ravok, not even before
  // its first search.
  std::ios::sync_with_stdio(false);
  PrepareStandardStreams();
  IgnoreInterruptKey(true);

  // The usage or the version, and nothing more.
  const StartupOptions options = ScanOptions(std::vector<std::string>(argv, argv + argc));
  if (!options.unknownWord.empty() && !options.help && !options.version) {
    std::cerr << UnknownWordText(options.unknownWord);
    return 2;
  }
  if (options.help || options.version) {
    std::cout << (options.help ? UsageText() : VersionText());
    return 0;
  }

  if (options.bench) {
    std::string problem;
    const std::optional<BenchSettings> settings = ReadBenchWords(options.benchWords, problem);
    if (!settings) {
      std::cerr << "ravok: bench: " << problem << "\n\n" << UsageText();
      return 2;
    }
    InitEngineTables();
    return RunBenchCommand(*settings, std::cout, std::cerr);
  }

  // Tables and hash keys, then the engine with its tables; the search
  // position holds the initial position from the start.
  InitEngineTables();
  Engine engine(options.hashBytes, options.pawnHashBytes);
  engine.LoadGame(Game());

  // The play mode for a person at a terminal, whom the interrupt key lets
  // leave as in any terminal program.
  if (options.play) {
    IgnoreInterruptKey(false);
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
