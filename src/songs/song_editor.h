// Editing the current song through its boxes, the Song menu, and the song selection list.
#pragma once

#include <cstdint>
#include <vector>

#include "songs/song_collection.h"

namespace vamplet {

struct SongListEntry {
  Text Title;
  int16_t Index;  // the song's index in Songs (the entry's item data)
};

class SongEditor {
 public:
  explicit SongEditor(SongCollection& songs) : songs_(songs) {}

  // Change tracking: each takes the box's whole text after a change.
  void Title_Change(const Text& box);
  void Composer_Change(const Text& box);
  void Style_Change(const Text& box);
  void Info_Change(const Text& box);
  void Song_Change(const Text& box);

  void mnuSongAdd_Click();
  void mnuSongDelete_Click();

  // The entries of the selection list: titles of the songs not deleted, sorted ignoring
  // case, equal titles in index order. Sets each listed song's ListIndex to its position.
  std::vector<SongListEntry> BuildSongList();

 private:
  SongCollection& songs_;
};

}  // namespace vamplet
