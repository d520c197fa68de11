// The system-dependent room on Linux and the other POSIX systems.
#include "base/platform.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/select.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ctime>

TimePoint Now() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// --- Input ------------------------------------------------------------------

bool InputReadable(int descriptor, Milliseconds wait) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(descriptor, &readable);
  timeval limit{time_t(wait / kMillisecondsPerSecond), suseconds_t(wait % kMillisecondsPerSecond * 1000)};
  return select(descriptor + 1, &readable, nullptr, nullptr, wait < 0 ? nullptr : &limit) > 0;
}

int64_t InputBytesWaiting(int descriptor) {
  int waiting = 0;
  return ioctl(descriptor, FIONREAD, &waiting) == 0 && waiting > 0 ? waiting : 0;
}

void PrepareStandardStreams() {}

// --- The interrupt key ----------------------------------------------------

void IgnoreInterruptKey(bool ignore) { std::signal(SIGINT, ignore ? SIG_IGN : SIG_DFL); }

// --- Processor time -------------------------------------------------------

double ThreadProcessorMilliseconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// --- Memory for the large tables ------------------------------------------

uint64_t PhysicalMemoryBytes() {
  const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
  return pages > 0 && pageSize > 0 ? uint64_t(pages) * uint64_t(pageSize) : 0;
}

namespace {

// The processor's large pages: 2 MiB on x86-64.
constexpr uint64_t kLargePageBytes = uint64_t(2) << 20;

uint64_t RoundUp(uint64_t bytes, uint64_t unit) { return (bytes + unit - 1) / unit * unit; }

}  // namespace

// A private anonymous mapping: its pages are only backed when written. It
// is made one large page longer than needed and the slack before and after
// the aligned part is given back, so that the block starts on a large-page
// boundary; then it is advised for large pages (transparent huge pages),
// which spare random probes most of their address-translation misses.
SystemMemory TakeSystemMemory(uint64_t bytes) {
  const uint64_t rounded = RoundUp(bytes, kLargePageBytes);
  const uint64_t length = rounded + kLargePageBytes;
  if (rounded < bytes || length < rounded) return {};
  void* mapping = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) return {};
  const uintptr_t start = reinterpret_cast<uintptr_t>(mapping);
  const uintptr_t aligned = RoundUp(start, kLargePageBytes);
  if (aligned > start) munmap(mapping, aligned - start);
  const uintptr_t end = start + length, alignedEnd = aligned + rounded;
  if (end > alignedEnd) munmap(reinterpret_cast<void*>(alignedEnd), end - alignedEnd);
  void* memory = reinterpret_cast<void*>(aligned);
#if defined(MADV_HUGEPAGE)
  madvise(memory, rounded, MADV_HUGEPAGE);
#endif
  return SystemMemory{memory, rounded, false};
}

// Dropped pages of a private anonymous mapping read as zeros again.
bool GiveBackSystemPages(const SystemMemory& memory) {
  return madvise(memory.address, memory.length, MADV_DONTNEED) == 0;
}

void ReleaseSystemMemory(const SystemMemory& memory) { munmap(memory.address, memory.length); }

// --- The person and their files --------------------------------------------

std::string LoginName() {
  const char* user = std::getenv("USER");
  return user != nullptr ? user : "";
}

std::vector<std::string> AccountNames() {
  std::vector<std::string> names;
  for (const char* variable : {"USER", "LOGNAME"})
    if (const char* value = std::getenv(variable)) names.push_back(value);
  if (const passwd* entry = getpwuid(getuid())) names.push_back(entry->pw_name);
  return names;
}

// $HOME for the person, else the account's folder.
std::string HomeFolder(const std::string& account) {
  const char* variable = std::getenv("HOME");
  if (account.empty() && variable != nullptr && *variable != '\0') return variable;
  if (const passwd* entry = account.empty() ? getpwuid(getuid()) : getpwnam(account.c_str())) return entry->pw_dir;
  return "";
}

std::string_view FolderSeparators() { return "/"; }

std::string MachineName() {
  char host[256] = {};
  return gethostname(host, sizeof host - 1) == 0 ? host : "";
}

long ProcessNumber() { return long(::getpid()); }

namespace {

// Writes all of `text` to `fd` and flushes it to the disk; false with errno
// set when that fails.
bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    done += size_t(n);
  }
  return ::fsync(fd) == 0;
}

}  // namespace

int WriteFileWhole(const std::string& path, const std::string& text) {
  // A name of our own beside the target: same folder, so the rename stays
  // on one file system and replaces the target in one step.
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temporary = path + "." + std::to_string(ProcessNumber()) + "." + std::to_string(attempt) + ".tmp";
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return errno;
  }
  if (fd < 0) return EEXIST;
  // The first failing step's errno: writing, closing, renaming.
  int error = WriteAll(fd, text) ? 0 : errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temporary.c_str());
  return error;
}

FileFacts LookAtFile(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) return FileFacts{errno, false, 0};
  return FileFacts{0, S_ISREG(status.st_mode), int64_t(status.st_size)};
}

// --- The terminal ---------------------------------------------------------

Terminal PrepareTerminal() {
  Terminal terminal;
  terminal.output = isatty(STDOUT_FILENO) != 0;
  winsize size{};
  if (terminal.output && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) terminal.columns = size.ws_col;
  terminal.input = isatty(STDIN_FILENO) != 0;
  return terminal;
}
