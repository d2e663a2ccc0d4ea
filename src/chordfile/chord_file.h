// Reading and writing chord files, and the path helpers of the file commands.
#pragma once

#include "songs/song_collection.h"

namespace vamplet {

// Replaces the collection by the songs of the file named by ChordFileName. Errors are shown
// to the user inside; after one, ChordFileName is cleared so a later Save cannot overwrite
// the file with the part that was read. Returns true after a complete read.
// A file that cannot be opened or read leaves the collection as it was. Afterwards the
// collection always holds a song on display: a file without songs gives one empty song.
bool ReadChordFile(SongCollection& songs);

// The file-name part of `path` when it names an existing regular file, else empty.
Text FindFile(const Text& path);

// Writes the collection to ChordFileName through a temporary file that replaces the target
// only after a complete, flushed write. On failure the old file is intact, the user is told
// what failed, and false is returned; FileChanged is not touched here.
bool SaveChordFile(SongCollection& songs);

// SaveChordFile without the dialogs: returns an empty text, or the sentence that says what
// failed. After a success the collection's Encoding is the one the file was written in.
Text TrySaveChordFile(SongCollection& songs);

// The same writer without dialogs: writes to `path`, returns an empty text or the error.
Text WriteChordFile(const SongCollection& songs, const Text& path);

// The whole file as text with CR LF line ends: the songs not deleted, in index order, each
// a "T:", "C:", "B:", "Q:", "R:" and "I:" line and then its chart. Header values are written
// trimmed and on one line; a chart line that would read back as a header gets a leading space.
Text ChordFileText(const SongCollection& songs);

Text FileOfPath(const Text& path);  // after the last "/"
Text DirOfPath(const Text& path);   // up to and including the last "/"

}  // namespace vamplet
