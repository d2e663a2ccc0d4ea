// Tests of the chord file reader and writer, the header numbers, encodings and path helpers.
#include "chordfile/chord_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "chordfile/header_number.h"
#include "chordfile/text_encoding.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_song_display.h"
#include "fakes/temp_dir.h"

namespace vamplet {
namespace {

namespace fs = std::filesystem;

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

struct FileFixture {
  TempDir dir{"vamplet-chordfile"};
  Settings settings;
  test::FakeSongDisplay display;
  test::FakeDialogs dialogs;
  SongCollection songs{settings, display, dialogs};

  // Writes `bytes` to a file and reads it into the collection.
  bool Read(const std::string& bytes, const std::string& name = "songs.crd") {
    settings.ChordFileName = dir.File(name);
    WriteBytes(settings.ChordFileName, bytes);
    return ReadChordFile(songs);
  }
};

TEST(ChordFileTest, ReadsTheHeadersAndChartsOfEachSong) {
  FileFixture f;
  f.songs.FileChanged = true;
  ASSERT_TRUE(f.Read("T:Blue song\r\nC: Someone \r\nB:3\r\nQ:96\r\nR:Waltz\r\n.C|F|\r\n\r\nT:Next\r\n"));

  ASSERT_EQ(f.songs.SongCount, 2);
  const SongRecord& blue = f.songs.Songs[1];
  EXPECT_EQ(blue.Title, U"Blue song");
  EXPECT_EQ(blue.Composer, U"Someone");
  EXPECT_EQ(blue.Beats, 3);
  EXPECT_EQ(blue.Tempo, 96);
  EXPECT_EQ(blue.Style, U"Waltz");
  EXPECT_EQ(blue.SongText, U".C|F|\r\n");
  const SongRecord& next = f.songs.Songs[2];
  EXPECT_EQ(next.Title, U"Next");
  EXPECT_EQ(next.Beats, 4);
  EXPECT_EQ(next.Tempo, 120);
  EXPECT_EQ(next.SongText, U"");
  EXPECT_EQ(f.songs.CurrentSong, 1);
  EXPECT_EQ(f.display.title, U"Blue song");
  EXPECT_FALSE(f.songs.FileChanged);
  EXPECT_TRUE(f.dialogs.messages.empty());
  EXPECT_EQ(f.dialogs.hourglassChanges, (std::vector<bool>{true, false}));
}

TEST(ChordFileTest, ClassifiesLinesByTagInAnyCaseAnywhere) {
  FileFixture f;
  ASSERT_TRUE(f.Read("before\r\nB:7\r\nt:lower\r\nlyric\r\ni:info \t\r\nc:late\r\nq:100\r\n"
                     "C:later\r\nT:  spaced\t \r\n\r\n"));
  ASSERT_EQ(f.songs.SongCount, 2);
  const SongRecord& s = f.songs.Songs[1];
  EXPECT_EQ(s.Title, U"lower");
  EXPECT_EQ(s.Beats, 4);  // lines before the first song belong to none
  EXPECT_EQ(s.Info, U"info \t");
  EXPECT_EQ(s.Composer, U"later");
  EXPECT_EQ(s.Tempo, 100);
  EXPECT_EQ(s.SongText, U"lyric");
  EXPECT_EQ(f.songs.Songs[2].Title, U"spaced\t");
  EXPECT_EQ(f.songs.Songs[2].SongText, U"\r\n");  // a chart of one empty line keeps its CR LF
}

TEST(ChordFileTest, EveryKindOfLineEndEndsALine) {
  struct Case {
    const char* name;
    std::string bytes;
    Text text;
  } cases[] = {
      {"CR LF", "T:a\r\nx\r\ny\r\n", U"x\r\ny"},
      {"LF alone", "T:a\nx\ny\n", U"x\r\ny"},
      {"CR alone", "T:a\rx\ry\r", U"x\r\ny"},
      {"mixed", "T:a\r\nx\ny\rz", U"x\r\ny\r\nz"},
      {"LF CR is two ends", "T:a\nx\n\ry", U"x\r\n\r\ny"},
      {"no final line end", "T:a\r\nx", U"x"},
      {"final empty line", "T:a\r\nx\r\n\r\n", U"x\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FileFixture f;
    ASSERT_TRUE(f.Read(c.bytes));
    ASSERT_EQ(f.songs.SongCount, 1);
    EXPECT_EQ(f.songs.Songs[1].Title, U"a");
    EXPECT_EQ(f.songs.Songs[1].SongText, c.text);
  }
}

TEST(ChordFileTest, HeaderNumbersReadLikeTheFormatAlwaysDid) {
  struct Case {
    Text value;
    std::optional<int16_t> number;
  } cases[] = {
      {U"12", 12},          {U"", 0},                {U"abc", 0},
      {U" 96", 96},         {U" 9 6", 96},           {U"\t9\t6 x", 96},
      {U"96.5", 96},        {U"97.5", 98},           {U"-2.5", -2},
      {U"0.5", 0},          {U"96.7", 97},           {U"1e2", 100},
      {U"1E+2", 100},       {U"15e-1", 2},           {U"1e", 1},
      {U"2e+", 2},          {U"-", 0},               {U".", 0},
      {U".6", 1},           {U"+7", 7},              {U"- 7", -7},
      {U"12abc", 12},       {U"1.2.3", 1},           {U"3,5", 3},
      {U"32767", 32767},    {U"-32768", -32768},     {U"32767.5", std::nullopt},
      {U"40000", std::nullopt}, {U"-32769", std::nullopt},
      {U"1e999999999999", std::nullopt},           {U"1e-999999999999", 0},
      {U"99999999999999999999999999", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.value));
    EXPECT_EQ(ReadHeaderNumber(c.value), c.number);
  }
}

TEST(ChordFileTest, OverflowStopsTheReadKeepsTheSongsAndForgetsTheName) {
  FileFixture f;
  f.songs.FileChanged = true;
  EXPECT_FALSE(f.Read("T:one\r\n.C|\r\nT:two\r\n.G|\r\nQ:40000\r\nT:three\r\n"));

  const Text path = f.dir.File("songs.crd");
  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.dialogs.messages[0].text,
            U"Overflow in line 5 of \"" + path + U"\": the tempo value 40000 lies outside -32768 "
            U"to 32767. Only the songs up to that line were read; save them under a new name to "
            U"keep them.");
  EXPECT_EQ(f.dialogs.messages[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(f.songs.SongCount, 2);
  EXPECT_EQ(f.songs.Songs[1].SongText, U".C|");
  EXPECT_EQ(f.songs.Songs[2].Title, U"two");
  EXPECT_EQ(f.songs.CurrentSong, 1);
  EXPECT_TRUE(f.settings.ChordFileName.empty());
  EXPECT_TRUE(f.songs.FileChanged);
  EXPECT_FALSE(f.dialogs.hourglass);
}

TEST(ChordFileTest, MissingFileKeepsTheCollectionInMemory) {
  FileFixture f;
  f.songs.NewChordFile();
  f.songs.Songs[1].Title = U"kept";
  f.songs.FileChanged = true;
  f.settings.ChordFileName = f.dir.File("missing.crd");

  EXPECT_FALSE(ReadChordFile(f.songs));

  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.dialogs.messages[0].text,
            U"Cannot open \"" + f.dir.File("missing.crd") + U"\": No such file or directory.");
  EXPECT_EQ(f.songs.SongCount, 1);
  EXPECT_EQ(f.songs.Songs[1].Title, U"kept");
  EXPECT_TRUE(f.songs.FileChanged);
  EXPECT_TRUE(f.settings.ChordFileName.empty());
  EXPECT_FALSE(f.dialogs.hourglass);
}

TEST(ChordFileTest, ReadLeavingNoSongStartsOneEmptySong) {
  struct Case {
    const char* name;
    std::string bytes;
    bool complete;
  } cases[] = {
      {"empty file", "", true},
      {"no title line", "just\r\nlyrics\r\nB:3\r\n", true},
      {"overflow before the first song", "Q:99999\r\nT:never\r\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FileFixture f;
    EXPECT_EQ(f.Read(c.bytes), c.complete);
    EXPECT_EQ(f.songs.SongCount, 1);
    EXPECT_EQ(f.songs.CurrentSong, 1);
    EXPECT_EQ(f.songs.Songs[1].Title, U"");
    EXPECT_EQ(f.songs.Songs[1].Beats, 4);
    EXPECT_EQ(f.display.tempo, U"120");
  }
  FileFixture unopened;  // a program that holds no collection yet
  unopened.settings.ChordFileName = unopened.dir.File("none.crd");
  EXPECT_FALSE(ReadChordFile(unopened.songs));
  ASSERT_NE(unopened.songs.Current(), nullptr);
  EXPECT_EQ(unopened.songs.SongCount, 1);
}

TEST(ChordFileTest, CapacityFollowsTheNumberOfSongsUpToTheLimit) {
  FileFixture f;
  std::string bytes;
  for (int i = 0; i < 150; ++i) bytes += "T:s\r\n.C|\r\n";
  ASSERT_TRUE(f.Read(bytes));
  EXPECT_EQ(f.songs.SongCount, 150);
  EXPECT_EQ(f.songs.SongCapacity, 200);
  EXPECT_EQ(f.songs.Songs[150].SongText, U".C|");

  bytes.clear();
  for (int i = 0; i <= kMaxSongCapacity; ++i) bytes += "T:s\r\n.C|\r\n";
  EXPECT_FALSE(f.Read(bytes));
  EXPECT_EQ(f.songs.SongCount, kMaxSongCapacity);
  EXPECT_EQ(f.songs.Songs[kMaxSongCapacity].SongText, U".C|");
  ASSERT_FALSE(f.dialogs.messages.empty());
  EXPECT_NE(f.dialogs.messages.back().text.find(U"more than 32700 songs"), Text::npos);
}

TEST(ChordFileTest, DecodesUtf8ElseWindows1252AndSavesTheSameWay) {
  struct Case {
    const char* name;
    std::string bytes;
    Text title;
    TextEncoding encoding;
  } cases[] = {
      {"UTF-8", "T:Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5\r\n", U"Caf\u00e9 \u20ac \u65e5", TextEncoding::Utf8},
      {"UTF-8 with mark", "\xEF\xBB\xBFT:\xC3\xA9\r\n", U"\u00e9", TextEncoding::Utf8},
      {"Windows-1252", "T:Caf\xE9 \x80 \x81\x9D\r\n", U"Caf\u00e9 \u20ac \u0081\u009d",
       TextEncoding::Windows1252},
      {"ASCII", "T:plain\r\n", U"plain", TextEncoding::Utf8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FileFixture f;
    const std::string bytes = c.bytes + "C:\r\nB:4\r\nQ:120\r\nR:\r\nI:\r\n";
    ASSERT_TRUE(f.Read(bytes));
    EXPECT_EQ(f.songs.Songs[1].Title, c.title);
    EXPECT_EQ(f.songs.Encoding, c.encoding);
    ASSERT_TRUE(SaveChordFile(f.songs));
    EXPECT_EQ(ReadBytes(f.settings.ChordFileName), bytes);
  }
}

TEST(ChordFileTest, TextThatWindows1252CannotCarrySafelyIsSavedAsUtf8) {
  struct Case {
    const char* name;
    Text title;
  } cases[] = {
      {"not in the code page", U"\u65e5\u672c"},
      {"bytes that would read back as UTF-8", U"\u00c3\u00a9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FileFixture f;
    ASSERT_TRUE(f.Read("T:\xE9\r\n"));
    ASSERT_EQ(f.songs.Encoding, TextEncoding::Windows1252);
    f.songs.Songs[1].Title = c.title;
    ASSERT_TRUE(SaveChordFile(f.songs));
    EXPECT_EQ(f.songs.Encoding, TextEncoding::Utf8);
    ASSERT_TRUE(ReadChordFile(f.songs));
    EXPECT_EQ(f.songs.Songs[1].Title, c.title);
  }
}

TEST(ChordFileTest, WriterLayoutIsHeadersThenChartPerSong) {
  FileFixture f;
  f.songs.NewChordFile();
  f.songs.Songs[1] = {U" One ", U"Me\r\nYou", -3, 96, U"", U"\tnote", U".C|\r\nT:lyric", false, 0};
  f.songs.AddSong();
  f.songs.Songs[2].Title = U"gone";
  f.songs.Songs[2].Deleted = true;
  f.songs.AddSong();
  f.songs.Songs[3].Title = U"Three";
  f.songs.Songs[3].SongText = U"a\nb";

  EXPECT_EQ(ChordFileText(f.songs),
            U"T:One\r\nC:Me  You\r\nB:-3\r\nQ:96\r\nR:\r\nI:\tnote\r\n.C|\r\n T:lyric\r\n"
            U"T:Three\r\nC:\r\nB:4\r\nQ:120\r\nR:\r\nI:\r\na\r\nb\r\n");
}

TEST(ChordFileTest, SavedSongsReadBackFieldForField) {
  const SongRecord tricky[] = {
      {U"", U"", 4, 120, U"", U"", U"", false, 0},
      {U"Two lines end", U"c", 3, 96, U"Waltz", U"i", U"\r\n", false, 0},
      {U"Final empty line", U"", 4, 120, U"", U"", U".C|F|\r\n", false, 0},
      {U"Only empty lines", U"", 4, 120, U"", U"", U"\r\n\r\n\r\n", false, 0},
      {U"\u00e9\u20ac\u65e5\U0001F3B9", U"\u00fc", -32768, 32767, U"\u00df", U"\u20ac", U"\u65e5\r\n.C|", false, 0},
      {U"\ttabs\t", U"\t", 0, -1, U"a\tb", U"\t", U"\t.C|\t\r\n\t", false, 0},
      {U"tag-like title T:x", U"C:c", 4, 120, U"R:", U"I:i", U"..T:ok\r\n.C|", false, 0},
  };
  FileFixture f;
  f.songs.NewChordFile();
  int16_t n = 0;
  for (const SongRecord& song : tricky) {
    if (n++ > 0) f.songs.AddSong();
    f.songs.Songs[n] = song;
  }
  f.settings.ChordFileName = f.dir.File("round.crd");
  ASSERT_TRUE(SaveChordFile(f.songs));
  ASSERT_TRUE(ReadChordFile(f.songs));

  ASSERT_EQ(f.songs.SongCount, n);
  for (int16_t i = 1; i <= n; ++i) {
    SCOPED_TRACE(ToUtf8(tricky[i - 1].Title));
    const SongRecord& want = tricky[i - 1];
    const SongRecord& got = f.songs.Songs[i];
    EXPECT_EQ(got.Title, want.Title);
    EXPECT_EQ(got.Composer, want.Composer);
    EXPECT_EQ(got.Beats, want.Beats);
    EXPECT_EQ(got.Tempo, want.Tempo);
    EXPECT_EQ(got.Style, want.Style);
    EXPECT_EQ(got.Info, want.Info);
    EXPECT_EQ(got.SongText, want.SongText);
  }
}

TEST(ChordFileTest, ChartLinesThatLookLikeHeadersComeBackAsLyrics) {
  FileFixture f;
  f.songs.NewChordFile();
  f.songs.Songs[1].SongText = U"T:x\r\nq:1\r\n.C|\r\nI:";
  f.settings.ChordFileName = f.dir.File("tags.crd");
  ASSERT_TRUE(SaveChordFile(f.songs));
  ASSERT_TRUE(ReadChordFile(f.songs));
  EXPECT_EQ(f.songs.SongCount, 1);
  EXPECT_EQ(f.songs.Songs[1].Tempo, 120);
  EXPECT_EQ(f.songs.Songs[1].SongText, U" T:x\r\n q:1\r\n.C|\r\n I:");
}

TEST(ChordFileTest, FailedSaveLeavesTheOldFileIntact) {
  FileFixture f;
  ASSERT_TRUE(f.Read("T:old\r\n"));
  f.songs.Songs[1].Title = U"new";
  const std::string before = ReadBytes(f.dir.File("songs.crd"));
  fs::create_directory(f.dir.path / "folder.crd");

  struct Case {
    Text path;
    Text error;
  } cases[] = {
      {f.dir.File("folder.crd"), U"Is a directory"},
      {f.dir.File("no/such/dir/x.crd"), U"No such file or directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.path));
    f.dialogs.messages.clear();
    f.settings.ChordFileName = c.path;
    EXPECT_FALSE(SaveChordFile(f.songs));
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, U"Cannot save \"" + c.path + U"\": " + c.error + U".");
    EXPECT_FALSE(f.dialogs.hourglass);
  }
  EXPECT_EQ(ReadBytes(f.dir.File("songs.crd")), before);
  EXPECT_TRUE(fs::is_directory(f.dir.path / "folder.crd"));
  EXPECT_EQ(std::distance(fs::directory_iterator(f.dir.path), fs::directory_iterator()), 2)
      << "no temporary file may be left behind";
}

TEST(ChordFileTest, SaveKeepsPermissionsAndWritesThroughLinks) {
  FileFixture f;
  ASSERT_TRUE(f.Read("T:old\r\n"));
  const std::string target = ToUtf8(f.dir.File("songs.crd"));
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  fs::create_symlink(target, f.dir.path / "link.crd");
  f.settings.ChordFileName = f.dir.File("link.crd");
  f.songs.Songs[1].Title = U"new";

  ASSERT_TRUE(SaveChordFile(f.songs));

  EXPECT_TRUE(fs::is_symlink(f.dir.path / "link.crd"));
  EXPECT_EQ(ReadBytes(f.dir.File("songs.crd")).substr(0, 7), "T:new\r\n");
  struct stat st;
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(ChordFileTest, FindFileNamesOnlyExistingRegularFiles) {
  TempDir dir{"vamplet-chordfile"};
  WriteBytes(dir.File("song.crd"), "T:x\r\n");
  fs::create_directory(dir.path / "folder");
  struct Case {
    Text path;
    Text found;
  } cases[] = {
      {dir.File("song.crd"), U"song.crd"},
      {dir.File("folder"), U""},
      {dir.File("missing.crd"), U""},
      {dir.File("song.crd/inner"), U""},
      {U"", U""},
      {U"   ", U""},
      {dir.File("song.crd") + Text(1, U'\0') + U"x", U""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.path));
    EXPECT_EQ(FindFile(c.path), c.found);
  }
}

TEST(ChordFileTest, PathSplitsAtTheLastSlash) {
  struct Case {
    Text path, file, dir;
  } cases[] = {
      {U"/home/me/songs.crd", U"songs.crd", U"/home/me/"},
      {U"songs.crd", U"songs.crd", U""},
      {U"/x/songs/songs", U"songs", U"/x/songs/"},
      {U"/dir/", U"", U"/dir/"},
      {U"", U"", U""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileOfPath(c.path), c.file);
    EXPECT_EQ(DirOfPath(c.path), c.dir);
    EXPECT_EQ(DirOfPath(c.path) + FileOfPath(c.path), c.path);
  }
}

}  // namespace
}  // namespace vamplet
