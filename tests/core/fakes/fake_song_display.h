// A song display that keeps what it was shown and counts discards of the selection list.
#pragma once

#include <vector>

#include "songs/song_display.h"

namespace vamplet::test {

class FakeSongDisplay : public SongDisplay {
 public:
  void SetTitleBox(const Text& t) override { title = t; calls.push_back(U"Title"); }
  void SetSongBox(const Text& t) override { song = t; calls.push_back(U"Song"); }
  void SetComposerBox(const Text& t) override { composer = t; calls.push_back(U"Composer"); }
  void SetBeatsCaption(const Text& t) override { beats = t; calls.push_back(U"Beats"); }
  void SetStyleBox(const Text& t) override { style = t; calls.push_back(U"Style"); }
  void SetInfoBox(const Text& t) override { info = t; calls.push_back(U"Info"); }
  void SetTempoCaption(const Text& t) override { tempo = t; calls.push_back(U"Tempo"); }
  void FocusTitleBox() override { calls.push_back(U"Focus"); }
  void DiscardSelectionList() override { ++discards; }

  Text title, song, composer, beats, style, info, tempo;
  std::vector<Text> calls;
  int discards = 0;
};

}  // namespace vamplet::test
