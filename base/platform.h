// What differs between the systems Ravok runs on: waiting for input, the
// clock's source, the interrupt key, memory for the large tables, the
// person's account, files written whole, and the terminal. One file holds
// them for POSIX systems (platform_posix.cpp), one for Windows
// (platform_windows.cpp); the build compiles the one for its system, and
// nothing outside the two knows which system it runs on. Now() of
// base/clock.h, the engine's one time source, is defined there too.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"

// --- Input ------------------------------------------------------------------

// Whether the input behind `descriptor` (0: standard input) can be read
// without blocking within `wait` milliseconds (as long as it takes when
// negative): bytes wait in it, a terminal has a whole line, or the input
// has ended. Interfaces start engines with pipes; a person types at a
// terminal (a Windows console); a file is always readable.
bool InputReadable(int descriptor, Milliseconds wait);

// The bytes that wait to be read at `descriptor`; 0 when none do or the
// input has ended (a terminal that is readable with nothing in it has hung
// up), or when the system cannot tell.
int64_t InputBytesWaiting(int descriptor);

// Readies std::cin and std::cout for the dialogues, after
// std::ios::sync_with_stdio(false) has given them buffers of their own.
// They carry the dialogues' bytes unchanged: no carriage return is put
// before a line end written, none taken out of a line read (Windows' own
// text mode does both), so the texts are the same on every system. And
// standard input can be waited for: on Windows, where neither a console
// nor every pipe can be asked whether it holds a line (a pipe from a
// program outside Windows, as under Wine, cannot), a thread reads it
// ahead into std::cin's buffer.
void PrepareStandardStreams();

// --- The interrupt key ----------------------------------------------------

// Whether the interrupt key (Ctrl-C; on Windows Ctrl-Break too) and the
// signal that stands for it are ignored, or end the program as in any
// terminal program.
void IgnoreInterruptKey(bool ignore);

// --- Processor time -------------------------------------------------------

// Milliseconds of processor time the calling thread has used.
double ThreadProcessorMilliseconds();

// --- Memory for the large tables ------------------------------------------

// The machine's physical memory in bytes, 0 when unknown.
uint64_t PhysicalMemoryBytes();

// A block of memory straight from the system: zero-filled, its pages backed
// by memory only when first touched, on the processor's large pages where
// the system allows them.
struct SystemMemory {
  void* address = nullptr;  // null: the system refused
  uint64_t length = 0;      // at least the bytes asked for
  bool largePages = false;  // held whole: the pages cannot be given back one by one
};

// `bytes` of memory for a table, starting on a cache line at least; null
// when the system cannot give that much (more than the machine can address
// or back).
SystemMemory TakeSystemMemory(uint64_t bytes);
// Gives the block's pages back to the system so that they read as zeros
// again; false when that cannot be done (the block is then as it was).
bool GiveBackSystemPages(const SystemMemory& memory);
void ReleaseSystemMemory(const SystemMemory& memory);

// --- The person and their files --------------------------------------------

// The person's login name, "" when the system does not tell.
std::string LoginName();
// Every name the system has for the person's account (a name may come
// twice, or be empty).
std::vector<std::string> AccountNames();
// The home folder of the person (`account` empty) or of the named account;
// "" when it cannot be found.
std::string HomeFolder(const std::string& account);
// The characters that separate the folders of a path.
std::string_view FolderSeparators();

// The machine's name on the network (a saved game's site); "" when the
// system does not tell.
std::string MachineName();

// The process's number, which no other running process has.
long ProcessNumber();

// Writes `text` to a new file beside `path`, flushes it to the disk and
// renames it over `path`, so that `path` holds the old text or the new one,
// never a part; the new file is removed when a step fails. 0 on success,
// else the error number (errno's kind, for std::strerror) of the first step
// that failed.
int WriteFileWhole(const std::string& path, const std::string& text);

// What a look at a path finds.
struct FileFacts {
  int error = 0;         // errno's kind; 0 when the path names something
  bool regular = false;  // a file (not a folder, a device...)
  int64_t bytes = 0;     // its size
};
FileFacts LookAtFile(const std::string& path);

// --- The terminal ---------------------------------------------------------

// Standard input and output as the play mode sees them.
struct Terminal {
  bool input = false;   // the person types at a terminal
  bool output = false;  // the output is a terminal that takes control sequences
  int columns = 0;      // its width; 0 when unknown
  // Whether the terminal shows the chess symbols, when the system can
  // tell; otherwise the locale says.
  std::optional<bool> symbols;
};

// Looks at standard input and output and readies an output terminal for
// UTF-8 text and control sequences where the system needs that (a Windows
// console, which is put back as it was when the program ends).
Terminal PrepareTerminal();
