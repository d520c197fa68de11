// Game files: the whole-or-nothing write, the size-limited read and the
// choice between a file and a FEN.
#include "board/game_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "base/platform.h"

namespace {

constexpr long kMostBytes = 1 << 20;

std::string Failure(const char* doing, const std::string& path, int error) {
  return std::string("cannot ") + doing + " " + path + ": " + std::strerror(error);
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
  if (const int error = WriteFileWhole(path, text); error != 0) return Failure("write", path, error);
  return std::nullopt;
}

std::optional<std::string> ReadTextFile(const std::string& path, std::string& text) {
  const FileFacts file = LookAtFile(path);
  if (file.error != 0) return Failure("read", path, file.error);
  if (!file.regular) return "cannot read " + path + ": not a regular file";
  if (file.bytes > kMostBytes) return "cannot read " + path + ": larger than 1 MiB";
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
  const size_t slash = path.find_first_of(FolderSeparators());
  const std::string name = path.substr(1, slash == std::string::npos ? std::string::npos : slash - 1);
  const std::string home = HomeFolder(name);
  if (home.empty()) return path;
  return slash == std::string::npos ? home : home + path.substr(slash);
}

PgnReadResult LoadGame(const std::string& fileOrFen) {
  if (Fields(fileOrFen).empty()) return {"no file or FEN given", Game(), PgnTags()};
  if (LookAtFile(fileOrFen).error != 0 && LooksLikeFen(fileOrFen)) return ReadFenText(fileOrFen);
  std::string text;
  if (std::optional<std::string> error = ReadTextFile(fileOrFen, text)) return {*error, Game(), PgnTags()};
  if (text.find('[') == std::string::npos && LooksLikeFen(text)) return ReadFenText(text);
  PgnReadResult read = ReadPgn(text);
  if (!read.error.empty()) read.error = fileOrFen + ": " + read.error;
  return read;
}
