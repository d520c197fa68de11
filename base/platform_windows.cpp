// The system-dependent room on Windows.
#include "base/platform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <streambuf>
#include <thread>
#include <vector>

#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif

namespace {

// The performance counter's ticks per second, fixed at boot.
int64_t CounterFrequency() {
  static const int64_t frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return int64_t(f.QuadPart);
  }();
  return frequency;
}

}  // namespace

// The performance counter: monotonic, and far finer than a millisecond.
TimePoint Now() {
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  const int64_t frequency = CounterFrequency();
  return count.QuadPart / frequency * kMillisecondsPerSecond + count.QuadPart % frequency * kMillisecondsPerSecond / frequency;
}

// --- Input ------------------------------------------------------------------

namespace {

// How often a wait looks at a pipe or a console again: Windows can wait for
// neither to hold a line.
constexpr Milliseconds kInputLookInterval = 5;

HANDLE HandleOf(int descriptor) { return reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)); }

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

// The console's input events that wait (keys pressed and released, the
// mouse, the window): the key presses of characters, and whether the Enter
// key is among them (the console hands its lines over whole, on Enter).
struct ConsoleKeys {
  int64_t characters = 0;
  bool enter = false;
};

ConsoleKeys WaitingKeys(HANDLE console) {
  ConsoleKeys keys;
  DWORD count = 0;
  if (!GetNumberOfConsoleInputEvents(console, &count) || count == 0) return keys;
  std::vector<INPUT_RECORD> events(count);
  DWORD seen = 0;
  if (!PeekConsoleInputW(console, events.data(), count, &seen)) return keys;
  for (DWORD i = 0; i < seen; ++i) {
    if (events[i].EventType != KEY_EVENT || !events[i].Event.KeyEvent.bKeyDown) continue;
    const WCHAR c = events[i].Event.KeyEvent.uChar.UnicodeChar;
    if (c == 0) continue;
    ++keys.characters;
    if (c == L'\r') keys.enter = true;
  }
  return keys;
}

// Whether a read would not block now: a pipe with bytes in it or without
// a writer any more (or one that cannot be asked), a console with a whole
// line, anything else (a file, the null device) always.
bool ReadableNow(HANDLE handle) {
  switch (GetFileType(handle)) {
    case FILE_TYPE_PIPE: {
      DWORD bytes = 0;
      return !PeekNamedPipe(handle, nullptr, 0, nullptr, &bytes, nullptr) || bytes > 0;
    }
    case FILE_TYPE_CHAR:
      return !IsConsole(handle) || WaitingKeys(handle).enter;
    default:
      return true;
  }
}

// Standard input read ahead by a thread of its own, which blocks in the
// system's read while the engine goes on; std::cin takes its bytes from
// here, and a wait for input is a wait for this thread to bring some (or
// to find the end). A console hands over its lines as they are entered,
// echoed as they are typed; Ctrl-Z at the start of a line ends the input
// there, as Ctrl-D does at a POSIX terminal.
class StandardInputPump final : public std::streambuf {
 public:
  explicit StandardInputPump(HANDLE handle) : console_(IsConsole(handle)) {
    std::thread([this, handle] { Pump(handle); }).detach();
  }

  bool WaitReadable(Milliseconds wait) {
    std::unique_lock<std::mutex> lock(mutex_);
    const auto ready = [this] { return !arrived_.empty() || ended_; };
    if (wait < 0) {
      brought_.wait(lock, ready);
      return true;
    }
    return brought_.wait_for(lock, std::chrono::milliseconds(wait), ready);
  }

  int64_t BytesWaiting() {
    std::lock_guard<std::mutex> lock(mutex_);
    return int64_t(arrived_.size());
  }

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    std::unique_lock<std::mutex> lock(mutex_);
    brought_.wait(lock, [this] { return !arrived_.empty() || ended_; });
    if (arrived_.empty()) return traits_type::eof();
    reading_.swap(arrived_);
    arrived_.clear();
    setg(reading_.data(), reading_.data(), reading_.data() + reading_.size());
    return traits_type::to_int_type(*gptr());
  }

  std::streamsize showmanyc() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return !arrived_.empty() ? std::streamsize(arrived_.size()) : ended_ ? -1 : 0;
  }

 private:
  void Pump(HANDLE handle) {
    char chunk[4096];
    for (;;) {
      DWORD got = 0;
      const bool read = ReadFile(handle, chunk, sizeof chunk, &got, nullptr) != 0;
      // The interrupt key at a console breaks off the read, not the input.
      if (!read && GetLastError() == ERROR_OPERATION_ABORTED) continue;
      const bool end = !read || got == 0 || (console_ && chunk[0] == '\x1a');
      std::lock_guard<std::mutex> lock(mutex_);
      if (end)
        ended_ = true;
      else
        arrived_.append(chunk, got);
      brought_.notify_all();
      if (end) return;
    }
  }

  const bool console_;
  std::mutex mutex_;
  std::condition_variable brought_;
  std::string arrived_;  // read by the thread, not yet taken by the stream
  bool ended_ = false;
  std::string reading_;  // the stream's buffer
};

// The pump of standard input, once the streams are prepared. It lives as
// long as the process: its thread may still be blocked in a read when the
// program ends.
StandardInputPump* standardInput = nullptr;

}  // namespace

bool InputReadable(int descriptor, Milliseconds wait) {
  if (descriptor == 0 && standardInput != nullptr) return standardInput->WaitReadable(wait);
  const HANDLE handle = HandleOf(descriptor);
  if (handle == INVALID_HANDLE_VALUE) return true;  // no input at all: the read finds its end
  const TimePoint end = Now() + wait;
  for (;;) {
    if (ReadableNow(handle)) return true;
    const Milliseconds left = wait < 0 ? kInputLookInterval : end - Now();
    if (left <= 0) return false;
    Sleep(DWORD(std::min(left, kInputLookInterval)));
  }
}

int64_t InputBytesWaiting(int descriptor) {
  if (descriptor == 0 && standardInput != nullptr) return standardInput->BytesWaiting();
  const HANDLE handle = HandleOf(descriptor);
  if (handle == INVALID_HANDLE_VALUE) return 0;
  if (GetFileType(handle) == FILE_TYPE_PIPE) {
    DWORD bytes = 0;
    return PeekNamedPipe(handle, nullptr, 0, nullptr, &bytes, nullptr) ? int64_t(bytes) : 0;
  }
  return IsConsole(handle) ? WaitingKeys(handle).characters : 0;
}

void PrepareStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  if (standardInput != nullptr || input == nullptr || input == INVALID_HANDLE_VALUE) return;
  standardInput = new StandardInputPump(input);
  std::cin.rdbuf(standardInput);
}

// --- The interrupt key ----------------------------------------------------

namespace {

BOOL WINAPI PassOverInterrupt(DWORD event) { return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT; }

}  // namespace

void IgnoreInterruptKey(bool ignore) { SetConsoleCtrlHandler(PassOverInterrupt, ignore ? TRUE : FALSE); }

// --- Processor time -------------------------------------------------------

double ThreadProcessorMilliseconds() {
  FILETIME created, ended, kernel, user;
  if (!GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user)) return 0;
  const auto ticks = [](const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return double(ticks(kernel) + ticks(user)) / 1e4;  // ticks of 100 ns
}

// --- Memory for the large tables ------------------------------------------

uint64_t PhysicalMemoryBytes() {
  MEMORYSTATUSEX status;
  status.dwLength = sizeof status;
  return GlobalMemoryStatusEx(&status) ? uint64_t(status.ullTotalPhys) : 0;
}

namespace {

// Large pages need the right to lock pages in memory, which an
// administrator grants an account ("Lock pages in memory"); the process
// switches it on once. The size of a large page, 0 without the right.
size_t LargePageBytes() {
  static const size_t bytes = [] {
    const size_t minimum = GetLargePageMinimum();
    if (minimum == 0) return size_t(0);
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return size_t(0);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool granted = LookupPrivilegeValueA(nullptr, "SeLockMemoryPrivilege", &privileges.Privileges[0].Luid) &&
                   AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
                   GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    return granted ? minimum : size_t(0);
  }();
  return bytes;
}

}  // namespace

// Reserved and committed in one step: the system backs committed pages with
// memory only when they are first touched, and refuses what the machine
// cannot back (physical memory and the paging file). Large pages are
// backed at once, and tried first where the account may have them; without
// them the table quietly takes ordinary pages.
SystemMemory TakeSystemMemory(uint64_t bytes) {
  if (bytes == 0 || bytes > uint64_t(SIZE_MAX) / 2) return {};
  if (const size_t large = LargePageBytes(); large != 0) {
    const uint64_t length = (bytes + large - 1) / large * large;
    if (void* memory = VirtualAlloc(nullptr, size_t(length), MEM_RESERVE | MEM_COMMIT | MEM_LARGE_PAGES, PAGE_READWRITE))
      return SystemMemory{memory, length, true};
  }
  void* memory = VirtualAlloc(nullptr, size_t(bytes), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  return memory != nullptr ? SystemMemory{memory, bytes, false} : SystemMemory{};
}

// Pages taken back from a block (decommitted) would have to be committed
// again, which the system may then refuse with the table in use: the
// caller writes zeros instead.
bool GiveBackSystemPages(const SystemMemory&) { return false; }

void ReleaseSystemMemory(const SystemMemory& memory) { VirtualFree(memory.address, 0, MEM_RELEASE); }

// --- The person and their files --------------------------------------------

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string AccountName() {
  char name[256];
  DWORD size = sizeof name;
  return GetUserNameA(name, &size) ? std::string(name) : "";
}

}  // namespace

std::string LoginName() {
  const std::string name = Variable("USERNAME");
  return !name.empty() ? name : AccountName();
}

std::vector<std::string> AccountNames() {
  std::vector<std::string> names;
  if (const char* value = std::getenv("USERNAME")) names.push_back(value);
  names.push_back(AccountName());
  return names;
}

// The person's profile folder; other accounts' folders are not for a
// program to look up.
std::string HomeFolder(const std::string& account) {
  if (!account.empty()) return "";
  if (std::string profile = Variable("USERPROFILE"); !profile.empty()) return profile;
  const std::string drive = Variable("HOMEDRIVE"), path = Variable("HOMEPATH");
  return !drive.empty() && !path.empty() ? drive + path : "";
}

std::string_view FolderSeparators() { return "/\\"; }

std::string MachineName() {
  char name[256] = {};
  DWORD size = sizeof name;
  return GetComputerNameExA(ComputerNameDnsHostname, name, &size) ? name : "";
}

long ProcessNumber() { return long(GetCurrentProcessId()); }

namespace {

// Writes all of `text` to `fd` and flushes it to the disk; false with errno
// set when that fails.
bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const unsigned chunk = unsigned(std::min<size_t>(text.size() - done, size_t(1) << 30));
    const int n = _write(fd, text.data() + done, chunk);
    if (n < 0) return false;
    done += size_t(n);
  }
  return _commit(fd) == 0;
}

// errno's kind of a failed rename onto `path`.
int RenameError(DWORD error, const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return EISDIR;
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    default:
      return EIO;
  }
}

}  // namespace

int WriteFileWhole(const std::string& path, const std::string& text) {
  // A name of our own beside the target: same folder, so the rename stays
  // on one volume and replaces the target in one step. The bytes go as
  // they are: no carriage returns are added.
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temporary = path + "." + std::to_string(ProcessNumber()) + "." + std::to_string(attempt) + ".tmp";
    fd = _open(temporary.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (fd < 0 && errno != EEXIST) return errno;
  }
  if (fd < 0) return EEXIST;
  // The first failing step's error: writing, closing, renaming.
  int error = WriteAll(fd, text) ? 0 : errno;
  if (_close(fd) != 0 && error == 0) error = errno;
  if (error == 0 &&
      !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = RenameError(GetLastError(), path);
  if (error != 0) _unlink(temporary.c_str());
  return error;
}

FileFacts LookAtFile(const std::string& path) {
  struct _stat64 status;
  if (_stat64(path.c_str(), &status) != 0) return FileFacts{errno, false, 0};
  return FileFacts{0, (status.st_mode & _S_IFMT) == _S_IFREG, int64_t(status.st_size)};
}

// --- The terminal ---------------------------------------------------------

namespace {

// The console's output code page and mode as the program found them.
UINT keptCodePage = 0;
DWORD keptMode = 0;

void RestoreConsole() {
  SetConsoleOutputCP(keptCodePage);
  SetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), keptMode);
}

}  // namespace

// A console is switched to UTF-8 output and to control sequences (Windows
// 10 and later read them). The classic console's fonts have no chess
// symbols, Windows Terminal's do (it names its sessions in WT_SESSION); a
// console that takes no control sequences has its status lines written as
// plain lines.
Terminal PrepareTerminal() {
  Terminal terminal;
  terminal.input = IsConsole(GetStdHandle(STD_INPUT_HANDLE));
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (!GetConsoleMode(out, &mode)) return terminal;
  keptCodePage = GetConsoleOutputCP();
  keptMode = mode;
  std::atexit(RestoreConsole);
  const bool utf8 = SetConsoleOutputCP(CP_UTF8) != 0;
  terminal.output = SetConsoleMode(out, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
  CONSOLE_SCREEN_BUFFER_INFO screen;
  if (GetConsoleScreenBufferInfo(out, &screen)) terminal.columns = screen.srWindow.Right - screen.srWindow.Left + 1;
  terminal.symbols = utf8 && terminal.output && std::getenv("WT_SESSION") != nullptr;
  return terminal;
}
