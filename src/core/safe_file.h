// Whole-file reading, and replacing a file so that a failed write never harms the old one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/text.h"

namespace vamplet {

// Reads the whole file into `bytes`. Returns an empty text, or one sentence naming the file
// and the system's description of what failed.
Text ReadFileBytes(const Text& path, std::string& bytes);
// Reads at most `limit` bytes of `path` into `bytes` when it is a regular file. Returns false,
// with `bytes` empty, when it is absent or unreadable or something else: a pipe or a device in
// its place is opened without waiting and never read.
bool ReadRegularFile(const Text& path, size_t limit, std::string& bytes);

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk and renames it over
// `path`. The old file keeps its permission bits; a symbolic link is followed, not replaced.
// Returns an empty text, or one sentence saying what failed; the old file is then untouched.
Text ReplaceFileBytes(const Text& path, std::string_view bytes);
// The same replacement for a caller with its own words for a failure: returns 0, or the
// error number of what failed.
int ReplaceFile(const Text& path, std::string_view bytes);

// The system's description of an error number, such as "No such file or directory".
Text SystemErrorText(int error);

}  // namespace vamplet
