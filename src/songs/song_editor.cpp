// Change tracking of the song boxes, the Song menu, and the sorted song selection list.
#include "songs/song_editor.h"

#include <algorithm>

namespace vamplet {

namespace {

// A simple one-to-one case fold for the scripts a song title is likely to use: Latin,
// Greek and Cyrillic. Titles that differ only in these letters' case sort together.
char32_t FoldCase(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c == 0x178) return 0xFF;
  if (c >= 0x100 && c <= 0x17F) {
    // Latin Extended-A pairs upper and lower case as even/odd, except around the
    // dotless i and the stretch 0x139..0x148, where the pairs start on odd points.
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    const bool upper = oddPairs ? (c % 2 == 1) : (c % 2 == 0);
    return upper ? c + 1 : c;
  }
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

bool LessIgnoringCase(const Text& a, const Text& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char32_t x, char32_t y) { return FoldCase(x) < FoldCase(y); });
}

// The same steps for every box: a differing text marks the collection changed, and the
// record takes the box's text. With no song in the collection there is no record to edit.
void TrackChange(SongCollection& songs, Text SongRecord::*field, const Text& box) {
  SongRecord* song = songs.Current();
  if (song == nullptr) return;
  if (song->*field != box) songs.FileChanged = true;
  song->*field = box;
}

}  // namespace

void SongEditor::Title_Change(const Text& box) {
  SongRecord* song = songs_.Current();
  if (song != nullptr && song->Title != box) songs_.FileChanged = true;
  songs_.display().DiscardSelectionList();
  if (song != nullptr) song->Title = box;
}

void SongEditor::Composer_Change(const Text& box) { TrackChange(songs_, &SongRecord::Composer, box); }
void SongEditor::Style_Change(const Text& box) { TrackChange(songs_, &SongRecord::Style, box); }
void SongEditor::Info_Change(const Text& box) { TrackChange(songs_, &SongRecord::Info, box); }
void SongEditor::Song_Change(const Text& box) { TrackChange(songs_, &SongRecord::SongText, box); }

void SongEditor::mnuSongAdd_Click() { songs_.AddSong(); }
void SongEditor::mnuSongDelete_Click() { songs_.DeleteSong(); }

std::vector<SongListEntry> SongEditor::BuildSongList() {
  std::vector<SongListEntry> list;
  const int16_t last = static_cast<int16_t>(
      std::min<size_t>(static_cast<size_t>(std::max<int16_t>(songs_.SongCount, 0)),
                       songs_.Songs.empty() ? 0 : songs_.Songs.size() - 1));
  for (int16_t i = 1; i <= last; ++i) {
    if (!songs_.Songs[i].Deleted) list.push_back({songs_.Songs[i].Title, i});
  }
  std::stable_sort(list.begin(), list.end(), [](const SongListEntry& a, const SongListEntry& b) {
    return LessIgnoringCase(a.Title, b.Title);
  });
  for (size_t p = 0; p < list.size(); ++p) {
    songs_.Songs[list[p].Index].ListIndex = static_cast<int16_t>(p);
  }
  return list;
}

}  // namespace vamplet
