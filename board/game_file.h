// Games in files: writing a text file whole or not at all, reading one, and
// loading a game from a PGN file or a FEN.
#pragma once

#include <optional>
#include <string>

#include "board/pgn.h"

// Writes `text` to a new file beside `path` and renames it over `path`, so
// that `path` holds the old text or the new one, never a part. The error,
// naming the path and the reason ("cannot write /x/y.pgn: Permission
// denied"), or nothing on success; the temporary file is removed on failure.
std::optional<std::string> SaveTextFile(const std::string& path, const std::string& text);

// Reads a whole regular file of at most 1 MiB into `text`. The error, or
// nothing on success.
std::optional<std::string> ReadTextFile(const std::string& path, std::string& text);

// A file name with a leading "~" or "~/" read as the person's home folder
// ($HOME, else the account's; on Windows the profile folder), "~name/" as
// that account's; any other name as it is, and so is one whose home folder
// cannot be found. The folders of a name may be separated as the system
// separates them.
std::string WithHomeFolder(const std::string& path);

// Loads a game from `fileOrFen`: an existing file's text (a PGN game, or a
// FEN alone), else text shaped like a FEN (a first field with a '/' and
// nothing but FEN letters and digits in it, or four fields or more), read
// as a FEN; anything else is a file that cannot be read. A FEN gives a game
// without moves and default tags, with the FEN's move number. Never throws.
PgnReadResult LoadGame(const std::string& fileOrFen);
