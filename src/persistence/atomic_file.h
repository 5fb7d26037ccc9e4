// Whole-file reads and crash-safe whole-file replacement for the game's small data files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace persistence {

// A run that must leave the player's files as they are (a replayed round): every read below
// finds nothing and every write is taken as done without touching the disk.
void SetPlayerFilesUntouched(bool untouched);
bool PlayerFilesUntouched();

// The whole file, or nothing when it cannot be opened or read or is longer than `limit` bytes.
std::optional<std::string> ReadWholeFile(const std::string& path, size_t limit = 1 << 20);

// True when something exists at `path` (even a file we may not read).
bool PathExists(const std::string& path);

// Creates `path` holding `bytes`, flushed to the disk. False when something already exists there
// (it is left as it is) or anything fails (a half-written file is removed again).
bool WriteNewFile(const std::string& path, std::string_view bytes);

// Gives the file at `path` the second name `newPath` as well (a hard link), without reading it:
// the file stays where it is, and a later replacement of `path` leaves it under `newPath`. False
// when something already exists at `newPath` or the file system cannot do it.
bool AddNewName(const std::string& path, const std::string& newPath);

// Replaces `path` with `bytes`: writes a temporary file beside it, flushes it to the disk and
// renames it over the old file, so that a crash or a full disk leaves either the old or the new
// file, never a half-written one. False (and the old file untouched) when anything fails.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace persistence
