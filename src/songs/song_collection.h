// The in-memory song collection: records, counters, and the operations that change them.
#pragma once

#include <cstdint>
#include <vector>

#include "app/logic/settings.h"
#include "core/dialogs.h"
#include "songs/song_display.h"
#include "songs/song_record.h"

namespace vamplet {

// How the bytes of the chord file were decoded; a save writes the same encoding.
enum class TextEncoding { Utf8, Windows1252 };

// The largest capacity that still fits the 16-bit counters.
constexpr int16_t kMaxSongCapacity = 32700;

class SongCollection {
 public:
  SongCollection(Settings& settings, SongDisplay& display, Dialogs& dialogs);

  void ClearSong(int16_t index);
  void NewChordFile();
  // Returns false, after telling the user, when the collection is full.
  bool AddSong();
  void DeleteSong();
  void ShowSong();

  // Re-creates Songs with indices 0..100, all records fresh; SongCount 0.
  void ResetForRead();
  // Grows the array by 100 records; false when that would pass kMaxSongCapacity.
  bool Grow();

  std::vector<SongRecord> Songs;  // indices 0..SongCapacity
  int16_t SongCapacity = 0;
  int16_t SongCount = 0;
  int16_t CurrentSong = 0;
  bool FileChanged = false;
  TextEncoding Encoding = TextEncoding::Utf8;
  bool ByteOrderMark = false;  // the file began with a UTF-8 byte order mark

  // The record on display, or nullptr while the collection holds no song.
  SongRecord* Current();

  Settings& settings() { return settings_; }
  SongDisplay& display() { return display_; }
  Dialogs& dialogs() { return dialogs_; }

 private:
  Settings& settings_;
  SongDisplay& display_;
  Dialogs& dialogs_;
};

}  // namespace vamplet
