// Tests of the song collection: starting, growing, adding, deleting and showing songs.
#include "songs/song_collection.h"

#include <gtest/gtest.h>

#include <set>

#include "fakes/fake_dialogs.h"
#include "fakes/fake_song_display.h"

namespace vamplet {
namespace {

struct CollectionFixture {
  Settings settings;
  test::FakeSongDisplay display;
  test::FakeDialogs dialogs;
  SongCollection songs{settings, display, dialogs};

  // Songs 1..count titled "1", "2", ...; the ones in `deleted` marked deleted.
  void Fill(int count, std::set<int> deleted = {}) {
    songs.NewChordFile();
    songs.Songs[1].Title = U"1";
    for (int i = 2; i <= count; ++i) {
      songs.AddSong();
      songs.Songs[i].Title = NumberText(i);
    }
    for (int i : deleted) songs.Songs[i].Deleted = true;
  }
};

TEST(SongCollectionTest, NewChordFileStartsOneEmptySongAndKeepsFileChanged) {
  CollectionFixture f;
  f.Fill(250);
  f.settings.ChordFileName = U"/songs/old.crd";
  f.songs.Encoding = TextEncoding::Windows1252;
  f.songs.FileChanged = true;
  const int discards = f.display.discards;

  f.songs.NewChordFile();

  EXPECT_EQ(f.songs.SongCapacity, 100);
  EXPECT_EQ(f.songs.Songs.size(), 101u);
  EXPECT_EQ(f.songs.SongCount, 1);
  EXPECT_EQ(f.songs.CurrentSong, 1);
  const SongRecord& song = f.songs.Songs[1];
  EXPECT_EQ(song.Title, U"");
  EXPECT_EQ(song.Beats, 4);
  EXPECT_EQ(song.Tempo, 120);
  EXPECT_TRUE(f.settings.ChordFileName.empty());
  EXPECT_TRUE(f.songs.FileChanged);
  EXPECT_EQ(f.songs.Encoding, TextEncoding::Utf8);
  EXPECT_EQ(f.display.discards, discards + 1);
  EXPECT_EQ(f.display.title, U"");
  EXPECT_EQ(f.display.beats, U"4");
}

TEST(SongCollectionTest, AddSongGrowsByHundredKeepingEveryRecord) {
  CollectionFixture f;
  f.Fill(100);
  f.songs.FileChanged = false;
  ASSERT_EQ(f.songs.SongCapacity, 100);

  EXPECT_TRUE(f.songs.AddSong());

  EXPECT_EQ(f.songs.SongCapacity, 200);
  EXPECT_EQ(f.songs.Songs.size(), 201u);
  EXPECT_EQ(f.songs.SongCount, 101);
  EXPECT_EQ(f.songs.CurrentSong, 101);
  for (int i = 1; i <= 100; ++i) ASSERT_EQ(f.songs.Songs[i].Title, NumberText(i));
  EXPECT_EQ(f.songs.Songs[101].Title, U"");
  EXPECT_EQ(f.songs.Songs[101].Tempo, 120);
  EXPECT_TRUE(f.songs.FileChanged);
  EXPECT_EQ(f.display.calls.back(), U"Focus");
}

TEST(SongCollectionTest, AddSongToFullCollectionTellsTheUserAndChangesNothing) {
  CollectionFixture f;
  f.songs.NewChordFile();
  f.songs.Songs.resize(kMaxSongCapacity + 1);
  f.songs.SongCapacity = kMaxSongCapacity;
  f.songs.SongCount = kMaxSongCapacity;
  f.songs.CurrentSong = 5;
  f.songs.FileChanged = false;
  const int discards = f.display.discards;

  EXPECT_FALSE(f.songs.AddSong());

  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.dialogs.messages[0].text.rfind(U"The collection is full: it holds 32700 songs", 0), 0u);
  EXPECT_EQ(f.songs.SongCount, kMaxSongCapacity);
  EXPECT_EQ(f.songs.SongCapacity, kMaxSongCapacity);
  EXPECT_EQ(f.songs.CurrentSong, 5);
  EXPECT_FALSE(f.songs.FileChanged);
  EXPECT_EQ(f.display.discards, discards);
  EXPECT_FALSE(f.songs.Grow());
}

TEST(SongCollectionTest, DeleteSongMovesToTheNextRemainingSong) {
  struct Case {
    const char* name;
    int count;
    std::set<int> deleted;
    int current;
    int expectedCurrent;
    int expectedCount;
  } cases[] = {
      {"next in index order", 3, {}, 1, 2, 3},
      {"skips deleted songs", 4, {2, 3}, 1, 4, 4},
      {"wraps to the start", 3, {1}, 3, 2, 3},
      {"only song starts over", 1, {}, 1, 1, 1},
      {"last remaining starts over", 3, {1, 2}, 3, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CollectionFixture f;
    f.Fill(c.count, c.deleted);
    f.songs.CurrentSong = static_cast<int16_t>(c.current);
    f.songs.FileChanged = false;

    f.songs.DeleteSong();

    EXPECT_EQ(f.songs.CurrentSong, c.expectedCurrent);
    EXPECT_EQ(f.songs.SongCount, c.expectedCount);
    EXPECT_FALSE(f.songs.Current()->Deleted);
    EXPECT_TRUE(f.songs.FileChanged);
    EXPECT_EQ(f.display.title, f.songs.Current()->Title);
  }
}

TEST(SongCollectionTest, StartingOverLeavesOldRecordsBehindUntilAddSongReusesThem) {
  CollectionFixture f;
  f.Fill(3, {1, 2});
  f.songs.Songs[2].ListIndex = 7;
  f.songs.CurrentSong = 3;

  f.songs.DeleteSong();
  ASSERT_EQ(f.songs.SongCount, 1);
  EXPECT_EQ(f.songs.Songs[1].Title, U"");
  EXPECT_EQ(f.songs.Songs[2].Title, U"2");

  f.songs.AddSong();
  EXPECT_EQ(f.songs.CurrentSong, 2);
  EXPECT_EQ(f.songs.Songs[2].Title, U"");
  EXPECT_FALSE(f.songs.Songs[2].Deleted);
  EXPECT_EQ(f.songs.Songs[2].ListIndex, 7);
}

TEST(SongCollectionTest, ShowSongWritesTheBoxesInOrderThenFocusesTheTitle) {
  CollectionFixture f;
  f.songs.NewChordFile();
  SongRecord& song = f.songs.Songs[1];
  song = {U"Title", U"Composer", -3, 32767, U"Style", U"Info", U".C|\r\nla", false, 0};
  f.display.calls.clear();
  f.songs.FileChanged = false;

  f.songs.ShowSong();

  const std::vector<Text> order{U"Title", U"Song",  U"Composer", U"Beats",
                                U"Style", U"Info",  U"Tempo",    U"Focus"};
  EXPECT_EQ(f.display.calls, order);
  EXPECT_EQ(f.display.beats, U"-3");
  EXPECT_EQ(f.display.tempo, U"32767");
  EXPECT_EQ(f.display.song, U".C|\r\nla");
  EXPECT_FALSE(f.songs.FileChanged);
}

TEST(SongCollectionTest, WithoutSongsOnlyAddSongDoesAnything) {
  CollectionFixture f;
  EXPECT_EQ(f.songs.Current(), nullptr);
  f.songs.ShowSong();
  f.songs.DeleteSong();
  f.songs.ClearSong(1);
  EXPECT_TRUE(f.display.calls.empty());
  EXPECT_FALSE(f.songs.FileChanged);

  EXPECT_TRUE(f.songs.AddSong());
  EXPECT_EQ(f.songs.SongCount, 1);
  EXPECT_EQ(f.songs.SongCapacity, 100);
  ASSERT_NE(f.songs.Current(), nullptr);
  EXPECT_EQ(f.songs.Current()->Tempo, 120);
}

TEST(SongCollectionTest, ClearSongResetsFieldsButNotListIndex) {
  CollectionFixture f;
  f.songs.NewChordFile();
  f.songs.Songs[1] = {U"a", U"b", 3, 90, U"c", U"d", U"e", true, 7};
  f.songs.ClearSong(1);
  const SongRecord& s = f.songs.Songs[1];
  EXPECT_EQ(s.Title + s.Composer + s.Style + s.Info + s.SongText, U"");
  EXPECT_EQ(s.Beats, 4);
  EXPECT_EQ(s.Tempo, 120);
  EXPECT_FALSE(s.Deleted);
  EXPECT_EQ(s.ListIndex, 7);
}

}  // namespace
}  // namespace vamplet
