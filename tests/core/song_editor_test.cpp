// Tests of change tracking, the Song menu and the sorted song selection list.
#include "songs/song_editor.h"

#include <gtest/gtest.h>

#include "fakes/fake_dialogs.h"
#include "fakes/fake_song_display.h"

namespace vamplet {
namespace {

// A display whose boxes raise the editor's change handlers, as the real windows do.
class WiredDisplay : public test::FakeSongDisplay {
 public:
  SongEditor* editor = nullptr;
  void SetTitleBox(const Text& t) override {
    FakeSongDisplay::SetTitleBox(t);
    if (editor) editor->Title_Change(t);
  }
  void SetSongBox(const Text& t) override {
    FakeSongDisplay::SetSongBox(t);
    if (editor) editor->Song_Change(t);
  }
  void SetComposerBox(const Text& t) override {
    FakeSongDisplay::SetComposerBox(t);
    if (editor) editor->Composer_Change(t);
  }
  void SetStyleBox(const Text& t) override {
    FakeSongDisplay::SetStyleBox(t);
    if (editor) editor->Style_Change(t);
  }
  void SetInfoBox(const Text& t) override {
    FakeSongDisplay::SetInfoBox(t);
    if (editor) editor->Info_Change(t);
  }
};

struct EditorFixture {
  Settings settings;
  WiredDisplay display;
  test::FakeDialogs dialogs;
  SongCollection songs{settings, display, dialogs};
  SongEditor editor{songs};

  EditorFixture() { display.editor = &editor; }

  // One song per title; a title of "-" makes a deleted song.
  void Songs(std::initializer_list<const char32_t*> titles) {
    songs.NewChordFile();
    int i = 0;
    for (const char32_t* t : titles) {
      if (++i > 1) songs.AddSong();
      songs.Songs[i].Title = t;
      songs.Songs[i].Deleted = Text(t) == U"-";
    }
    songs.FileChanged = false;
  }
};

TEST(SongEditorTest, EachBoxMarksChangesByExactComparison) {
  struct Box {
    const char* name;
    void (SongEditor::*handler)(const Text&);
    Text SongRecord::*field;
  } boxes[] = {
      {"Title", &SongEditor::Title_Change, &SongRecord::Title},
      {"Composer", &SongEditor::Composer_Change, &SongRecord::Composer},
      {"Style", &SongEditor::Style_Change, &SongRecord::Style},
      {"Info", &SongEditor::Info_Change, &SongRecord::Info},
      {"Song", &SongEditor::Song_Change, &SongRecord::SongText},
  };
  struct Edit {
    Text before;
    Text box;
    bool changed;
  } edits[] = {
      {U"Waltz", U"Waltz", false},
      {U"Waltz", U"Waltz!", true},
      {U"", U"x", true},
      {U"Waltz", U"waltz", true},  // a change of case counts
      {U"a\r\nb", U"a\r\nb", false},
  };
  for (const Box& box : boxes) {
    for (const Edit& edit : edits) {
      SCOPED_TRACE(std::string(box.name) + " <- " + ToUtf8(edit.box));
      EditorFixture f;
      f.Songs({U"song"});
      f.songs.Songs[1].*box.field = edit.before;
      (f.editor.*box.handler)(edit.box);
      EXPECT_EQ(f.songs.FileChanged, edit.changed);
      EXPECT_EQ(f.songs.Songs[1].*box.field, edit.box);
    }
  }
}

TEST(SongEditorTest, TitleChangeDiscardsTheListEvenWhenEqual) {
  EditorFixture f;
  f.Songs({U"same"});
  const int discards = f.display.discards;
  f.editor.Title_Change(U"same");
  f.editor.Composer_Change(U"other");
  EXPECT_EQ(f.display.discards, discards + 1);
}

TEST(SongEditorTest, ShowingAnotherSongThroughTheBoxesLeavesFileChangedAlone) {
  EditorFixture f;
  f.Songs({U"one", U"two"});
  f.songs.Songs[1] = {U"one", U"me", 3, 90, U"Waltz", U"x", U".C|", false, 0};
  f.songs.CurrentSong = 1;
  f.songs.ShowSong();
  EXPECT_FALSE(f.songs.FileChanged);
  EXPECT_EQ(f.songs.Songs[2].Title, U"two");
  EXPECT_EQ(f.songs.Songs[1].Style, U"Waltz");
}

TEST(SongEditorTest, EditsWithoutAnySongDoNothing) {
  EditorFixture f;
  f.editor.Title_Change(U"typed");
  f.editor.Song_Change(U"typed");
  f.editor.mnuSongDelete_Click();
  EXPECT_FALSE(f.songs.FileChanged);
  EXPECT_EQ(f.songs.SongCount, 0);
  EXPECT_TRUE(f.editor.BuildSongList().empty());
}

TEST(SongEditorTest, SongMenuAddsAndDeletesWithoutAsking) {
  EditorFixture f;
  f.Songs({U"a", U"b"});
  f.editor.mnuSongAdd_Click();
  EXPECT_EQ(f.songs.SongCount, 3);
  EXPECT_EQ(f.songs.CurrentSong, 3);
  f.editor.mnuSongDelete_Click();
  EXPECT_TRUE(f.songs.Songs[3].Deleted);
  EXPECT_EQ(f.songs.CurrentSong, 1);
  EXPECT_TRUE(f.dialogs.messages.empty());
  EXPECT_TRUE(f.songs.FileChanged);
}

TEST(SongEditorTest, SongListIsSortedIgnoringCaseWithoutDeletedSongs) {
  struct Case {
    const char* name;
    std::initializer_list<const char32_t*> titles;
    std::vector<int16_t> order;  // item data of the entries, top to bottom
  } cases[] = {
      {"case ignored, deleted left out", {U"b", U"A", U"-", U"c"}, {2, 1, 4}},
      {"empty title first", {U"x", U""}, {2, 1}},
      {"equal titles in index order", {U"Song", U"song", U"SONG"}, {1, 2, 3}},
      {"prefix before longer", {U"ab", U"A"}, {2, 1}},
      {"accented letters fold", {U"\u00e9b", U"\u00c9a", U"\u0416", U"\u0436a"}, {2, 1, 3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditorFixture f;
    f.Songs(c.titles);
    const std::vector<SongListEntry> list = f.editor.BuildSongList();
    std::vector<int16_t> order;
    for (const SongListEntry& e : list) {
      order.push_back(e.Index);
      EXPECT_EQ(e.Title, f.songs.Songs[e.Index].Title);
    }
    EXPECT_EQ(order, c.order);
    for (size_t p = 0; p < list.size(); ++p) EXPECT_EQ(f.songs.Songs[list[p].Index].ListIndex, int16_t(p));
  }
}

TEST(SongEditorTest, EditedTitleTakesItsNewPlaceInTheNextList) {
  EditorFixture f;
  f.Songs({U"a", U"b", U"c"});
  f.songs.CurrentSong = 1;
  f.editor.Title_Change(U"z");
  const std::vector<SongListEntry> list = f.editor.BuildSongList();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list.back().Title, U"z");
  EXPECT_EQ(f.songs.Songs[1].ListIndex, 2);
}

}  // namespace
}  // namespace vamplet
