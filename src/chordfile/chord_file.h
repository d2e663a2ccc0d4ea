// Reading and writing chord files, and the path helpers of the file commands.
#pragma once

#include "songs/song_collection.h"

namespace vamplet {

// Replaces the collection by the songs of the file named by ChordFileName. Errors are shown
// to the user inside; after one, ChordFileName is cleared so a later Save cannot overwrite
// the file with the part that was read. Returns true after a complete read.
bool ReadChordFile(SongCollection& songs);

// The file-name part of `path` when it names an existing regular file, else empty.
Text FindFile(const Text& path);

// Writes the collection to ChordFileName through a temporary file that replaces the target
// only after a complete, flushed write. On failure the old file is intact, the user is told
// what failed, and false is returned; FileChanged is not touched here.
bool SaveChordFile(SongCollection& songs);

// The same writer without dialogs: writes to `path`, returns an empty text or the error.
Text WriteChordFile(const SongCollection& songs, const Text& path);

Text FileOfPath(const Text& path);  // after the last "/"
Text DirOfPath(const Text& path);   // up to and including the last "/"

}  // namespace vamplet
