// Game files: the temporary-file-and-rename write, the size-limited read and
// the choice between a file and a FEN.
#include "board/game_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

constexpr long kMostBytes = 1 << 20;

std::string Failure(const char* doing, const std::string& path, int error) {
  return std::string("cannot ") + doing + " " + path + ": " + std::strerror(error);
}

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

std::vector<std::string> Fields(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> fields;
  for (std::string field; in >> field;) fields.push_back(field);
  return fields;
}

bool LooksLikeFen(const std::string& text) {
  const std::vector<std::string> fields = Fields(text);
  if (fields.empty() || fields[0].find('/') == std::string::npos) return false;
  return fields.size() >= 4 || fields[0].find_first_not_of("pnbrqkPNBRQK12345678/") == std::string::npos;
}

}  // namespace

std::optional<std::string> SaveTextFile(const std::string& path, const std::string& text) {
  if (path.empty()) return "no file name given";
  // A name of our own beside the target: same folder, so the rename stays
  // on one file system and replaces the target in one step.
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temporary = path + "." + std::to_string(::getpid()) + "." + std::to_string(attempt) + ".tmp";
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return Failure("write", path, errno);
  }
  if (fd < 0) return Failure("write", path, EEXIST);
  // The first failing step's errno: writing, closing, renaming.
  int error = WriteAll(fd, text) ? 0 : errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error == 0) return std::nullopt;
  ::unlink(temporary.c_str());
  return Failure("write", path, error);
}

std::optional<std::string> ReadTextFile(const std::string& path, std::string& text) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) return Failure("read", path, errno);
  if (!S_ISREG(status.st_mode)) return "cannot read " + path + ": not a regular file";
  if (status.st_size > kMostBytes) return "cannot read " + path + ": larger than 1 MiB";
  std::ifstream in(path, std::ios::binary);
  if (!in) return Failure("read", path, errno);
  std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return Failure("read", path, EIO);
  text = std::move(content);
  return std::nullopt;
}

namespace {

// A FEN's problem names the FEN where it names a field only.
PgnReadResult ReadFenText(const std::string& fen) {
  PgnReadResult read = ReadFen(fen);
  if (!read.error.empty() && read.error.rfind("the FEN", 0) != 0) read.error = "in the FEN, " + read.error;
  return read;
}

}  // namespace

std::string WithHomeFolder(const std::string& path) {
  if (path.empty() || path.front() != '~') return path;
  const size_t slash = path.find('/');
  const std::string name = path.substr(1, slash == std::string::npos ? std::string::npos : slash - 1);
  std::string home;
  const char* variable = std::getenv("HOME");
  if (name.empty() && variable != nullptr && *variable != '\0') {
    home = variable;
  } else if (const passwd* entry = name.empty() ? getpwuid(getuid()) : getpwnam(name.c_str())) {
    home = entry->pw_dir;
  }
  if (home.empty()) return path;
  return slash == std::string::npos ? home : home + path.substr(slash);
}

PgnReadResult LoadGame(const std::string& fileOrFen) {
  if (Fields(fileOrFen).empty()) return {"no file or FEN given", Game(), PgnTags()};
  struct stat status;
  if (::stat(fileOrFen.c_str(), &status) != 0 && LooksLikeFen(fileOrFen)) return ReadFenText(fileOrFen);
  std::string text;
  if (std::optional<std::string> error = ReadTextFile(fileOrFen, text)) return {*error, Game(), PgnTags()};
  if (text.find('[') == std::string::npos && LooksLikeFen(text)) return ReadFenText(text);
  PgnReadResult read = ReadPgn(text);
  if (!read.error.empty()) read.error = fileOrFen + ": " + read.error;
  return read;
}
