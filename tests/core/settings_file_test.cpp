// Tests of the settings file: its byte layout, damaged and short files, and the safe write.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/logic/settings_file.h"
#include "fakes/fake_settings_display.h"
#include "fakes/temp_dir.h"

namespace vamplet {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;
using test::FakeSettingsDisplay;

Bytes FromHex(const std::string& hex) {
  Bytes out;
  for (size_t i = 0; i + 1 < hex.size();) {
    if (hex[i] == ' ') {
      ++i;
      continue;
    }
    out.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    i += 2;
  }
  return out;
}

Bytes Ascii(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { settings_.ProgramDir = FromUtf8(dir_.path.string()) + U"/"; }

  fs::path CfgPath() const { return ToUtf8(settings_.ProgramDir + U"rifflo.CFG"); }

  Bytes FileBytes() const {
    std::ifstream in(CfgPath(), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void PutFile(const Bytes& bytes) const {
    std::ofstream out(CfgPath(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  // Reads the file into fresh settings that share only the program directory.
  Settings ReadBack(FakeSettingsDisplay** shown = nullptr) {
    fresh_ = Settings();
    fresh_.ProgramDir = settings_.ProgramDir;
    display_ = std::make_unique<FakeSettingsDisplay>(fresh_);
    ReadSettings(fresh_, *display_);
    if (shown != nullptr) *shown = display_.get();
    return fresh_;
  }

  void SetExample() {
    settings_.Fingering = 2;
    settings_.ChordFileDir = U"C:\\Songs";
    settings_.ChordFileName = U"C:\\Songs\\gig.crd";
    settings_.TextSize = 20;
    settings_.ChordPort = 1;
    settings_.ChordChannel = 3;
    settings_.Intro = 0;
    settings_.Fill = 1;
    settings_.Chords = 1;
    settings_.Repeat = 0;
  }

  test::TempDir dir_{"vamplet-settings"};
  Settings settings_;
  Settings fresh_;
  std::unique_ptr<FakeSettingsDisplay> display_;
};

void ExpectSameStored(const Settings& a, const Settings& b) {
  EXPECT_EQ(a.Fingering, b.Fingering);
  EXPECT_EQ(a.ChordFileDir, b.ChordFileDir);
  EXPECT_EQ(a.ChordFileName, b.ChordFileName);
  EXPECT_EQ(a.TextSize, b.TextSize);
  EXPECT_EQ(a.ChordPort, b.ChordPort);
  EXPECT_EQ(a.ChordChannel, b.ChordChannel);
  EXPECT_EQ(a.Intro, b.Intro);
  EXPECT_EQ(a.Fill, b.Fill);
  EXPECT_EQ(a.Chords, b.Chords);
  EXPECT_EQ(a.Repeat, b.Repeat);
}

TEST_F(SettingsFileTest, WritesTheExampleByteForByteAndReadsItBack) {
  SetExample();
  ASSERT_EQ(WriteSettings(settings_), U"");
  const Bytes expected = Concat({FromHex("0100 0200 0800"), Ascii("C:\\Songs"), FromHex("1000"),
                                 Ascii("C:\\Songs\\gig.crd"),
                                 FromHex("1400 0100 0300 0000 0100 0100 0000")});
  ASSERT_EQ(expected.size(), 46u);
  EXPECT_EQ(FileBytes(), expected);

  FakeSettingsDisplay* shown = nullptr;
  ExpectSameStored(ReadBack(&shown), settings_);
  EXPECT_EQ(shown->calls, (std::vector<std::string>{"Fingering=2", "TextSize=20", "Channel=3",
                                                    "Boxes=0110"}));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path), fs::directory_iterator()), 1)
      << "the temporary file must not stay behind";
}

TEST_F(SettingsFileTest, EveryFieldLandsInItsOwnSetting) {
  // Distinct values in every field catch two fields read in swapped order.
  const Bytes image = Concat({FromHex("0900 0300 0300"), Ascii("/d/"), FromHex("0800"),
                              Ascii("/d/x.crd"),
                              FromHex("1c00 0200 0900 1500 1600 1700 1800")});
  settings_.Intro = settings_.Fill = settings_.Chords = settings_.Repeat = 99;
  DecodeSettings(image, settings_);
  EXPECT_EQ(settings_.Fingering, 3);
  EXPECT_EQ(settings_.ChordFileDir, U"/d/");
  EXPECT_EQ(settings_.ChordFileName, U"/d/x.crd");
  EXPECT_EQ(settings_.TextSize, 28);
  EXPECT_EQ(settings_.ChordPort, 2);
  EXPECT_EQ(settings_.ChordChannel, 9);
  EXPECT_EQ(settings_.Intro, 0x15);
  EXPECT_EQ(settings_.Fill, 0x16);
  EXPECT_EQ(settings_.Chords, 0x17);
  EXPECT_EQ(settings_.Repeat, 0x18);
  EXPECT_EQ(EncodeSettings(settings_), Concat({FromHex("0100"), Bytes(image.begin() + 2, image.end())}));
}

TEST_F(SettingsFileTest, WriteTrimsBothPathsAndKeepsTheTrimmedText) {
  settings_.ChordFileDir = U" /songs ";
  settings_.ChordFileName = U"  C:\\a.crd ";
  ASSERT_EQ(WriteSettings(settings_), U"");
  EXPECT_EQ(settings_.ChordFileDir, U"/songs");
  EXPECT_EQ(settings_.ChordFileName, U"C:\\a.crd");
  const Bytes bytes = FileBytes();
  ASSERT_EQ(bytes.size(), 22u + 6u + 8u);
  EXPECT_EQ(Bytes(bytes.begin() + 12, bytes.begin() + 22), Concat({FromHex("0800"), Ascii("C:\\a.crd")}));
}

TEST_F(SettingsFileTest, MissingShortOrUnreadableFilesGiveTheDefaults) {
  const Text chords = settings_.ProgramDir + U"chords.crd";
  struct Case {
    const char* name;
    std::function<void()> prepare;
  } cases[] = {
      {"missing file", [] {}},
      {"empty file", [&] { PutFile({}); }},
      {"two bytes", [&] { PutFile(FromHex("0100")); }},
      {"three bytes", [&] { PutFile(FromHex("0100 02")); }},
      {"a directory in its place", [&] { fs::create_directory(CfgPath()); }},
      {"a pipe in its place", [&] { ASSERT_EQ(::mkfifo(CfgPath().c_str(), 0600), 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(CfgPath());
    c.prepare();
    FakeSettingsDisplay* shown = nullptr;
    const Settings s = ReadBack(&shown);
    EXPECT_EQ(s.Fingering, 0);
    EXPECT_EQ(s.ChordFileDir, settings_.ProgramDir);
    EXPECT_EQ(s.ChordFileName, chords);
    EXPECT_EQ(s.TextSize, 0);
    EXPECT_EQ(s.ChordPort, 0);
    EXPECT_EQ(s.ChordChannel, 0);
    // The design values of the boxes give way to the file's zeros.
    EXPECT_EQ(shown->calls.back(), "Boxes=0000");
    EXPECT_EQ(shown->calls.size(), 4u);
  }
  fs::remove_all(CfgPath());
  ReadBack();
  EXPECT_FALSE(fs::exists(CfgPath())) << "reading must not create the file";
}

TEST_F(SettingsFileTest, BlankPathsAreWrittenEmptyAndReadAsTheDefaults) {
  SetExample();
  settings_.ChordFileDir = U"   ";
  settings_.ChordFileName = U"";
  ASSERT_EQ(WriteSettings(settings_), U"");
  EXPECT_EQ(FileBytes().size(), 22u);
  const Settings s = ReadBack();
  EXPECT_EQ(s.ChordFileDir, settings_.ProgramDir);
  EXPECT_EQ(s.ChordFileName, settings_.ProgramDir + U"chords.crd");
  EXPECT_EQ(s.TextSize, 20);
}

TEST_F(SettingsFileTest, EveryPrefixOfAFileReadsTheWholeFieldsAndZerosAfter) {
  SetExample();
  settings_.Intro = 1;
  const Bytes full = EncodeSettings(settings_);
  const Text defaultDir = settings_.ProgramDir;
  const Text defaultName = settings_.ProgramDir + U"chords.crd";
  for (size_t len = 0; len <= full.size(); ++len) {
    SCOPED_TRACE("prefix of " + std::to_string(len) + " bytes");
    Settings s;
    s.ProgramDir = settings_.ProgramDir;
    DecodeSettings(Bytes(full.begin(), full.begin() + static_cast<long>(len)), s);
    // Field ends in the 46-byte image: the texts end at 14 and 32.
    auto whole = [&](size_t end, int16_t value) { return len >= end ? value : int16_t{0}; };
    EXPECT_EQ(s.Fingering, whole(4, 2));
    // A text cut by the end keeps the characters that are there.
    const size_t dirChars = len <= 6 ? 0 : std::min<size_t>(len - 6, 8);
    EXPECT_EQ(s.ChordFileDir, dirChars == 0 ? defaultDir : Text(U"C:\\Songs").substr(0, dirChars));
    const size_t nameChars = len <= 16 ? 0 : std::min<size_t>(len - 16, 16);
    EXPECT_EQ(s.ChordFileName,
              nameChars == 0 ? defaultName : Text(U"C:\\Songs\\gig.crd").substr(0, nameChars));
    EXPECT_EQ(s.TextSize, whole(34, 20));
    EXPECT_EQ(s.ChordPort, whole(36, 1));
    EXPECT_EQ(s.ChordChannel, whole(38, 3));
    EXPECT_EQ(s.Intro, whole(40, 1));
    EXPECT_EQ(s.Fill, whole(42, 1));
    EXPECT_EQ(s.Chords, whole(44, 1));
    EXPECT_EQ(s.Repeat, 0);
  }
}

TEST_F(SettingsFileTest, DamagedLengthsNeitherCrashNorReadPastTheFile) {
  const Text defaultDir = settings_.ProgramDir;
  const Text defaultName = settings_.ProgramDir + U"chords.crd";
  struct Case {
    const char* name;
    Bytes image;
    Text dir, file;
    int16_t textSize;
  } cases[] = {
      // A negative length ends the readable part: the rest reads as from a short file.
      {"negative dir length", Concat({FromHex("0100 0200 ffff"), Ascii("/d/"), FromHex("1400")}),
       defaultDir, defaultName, 0},
      {"most negative name length",
       Concat({FromHex("0100 0200 0300"), Ascii("/d/"), FromHex("0080 1400 0100")}), U"/d/",
       defaultName, 0},
      // A length past the end takes what is there.
      {"huge dir length", Concat({FromHex("0100 0200 ff7f"), Ascii("/dir")}), U"/dir", defaultName, 0},
      {"huge name length",
       Concat({FromHex("0100 0200 0300"), Ascii("/d/"), FromHex("ff7f"), Ascii("/d/a.crd")}), U"/d/",
       U"/d/a.crd", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Settings s;
    s.ProgramDir = settings_.ProgramDir;
    DecodeSettings(c.image, s);
    EXPECT_EQ(s.Fingering, 2);
    EXPECT_EQ(s.ChordFileDir, c.dir);
    EXPECT_EQ(s.ChordFileName, c.file);
    EXPECT_EQ(s.TextSize, c.textSize);
    EXPECT_EQ(s.Intro, 0);
  }

  // A file far longer than any valid image is read only as far as an image can reach.
  Bytes big = Concat({FromHex("0100 0400 ff7f"), Bytes(32767, 'a'), FromHex("ff7f"),
                      Bytes(32767, 'b'), FromHex("0800 0000 0000 0100 0100 0100 0100")});
  big.resize(big.size() + 1'000'000, 0xee);
  PutFile(big);
  const Settings s = ReadBack();
  EXPECT_EQ(s.Fingering, 4);
  EXPECT_EQ(s.ChordFileName, Text(32767, U'b'));
  EXPECT_EQ(s.TextSize, 8);
  EXPECT_EQ(s.Repeat, 1);
}

TEST_F(SettingsFileTest, NonAsciiPathsAreStoredAsUtf8ByteCounts) {
  // The program directory itself holds a non-ASCII name too.
  const fs::path sub = dir_.path / std::string("Lieder \xc3\xa9t\xc3\xa9");
  fs::create_directory(sub);
  settings_.ProgramDir = FromUtf8(sub.string()) + U"/";
  settings_.ChordFileDir = U"/home/zo\u00eb";             // 9 characters, 10 bytes
  settings_.ChordFileName = U"/\u266b/\U0001F3B9.crd";  // 8 characters, 13 bytes
  ASSERT_EQ(WriteSettings(settings_), U"");
  const Bytes bytes = FileBytes();
  ASSERT_EQ(bytes.size(), 22u + 10u + 13u);
  EXPECT_EQ(bytes[4], 10);
  EXPECT_EQ(bytes[16], 13);
  ExpectSameStored(ReadBack(), settings_);
}

TEST_F(SettingsFileTest, APathTooLongForItsLengthFieldIsStoredEmpty) {
  settings_.ChordFileName = Text(20000, U'\u00e9');  // 40000 bytes
  const Bytes image = EncodeSettings(settings_);
  EXPECT_EQ(image.size(), 22u);
  Settings s;
  s.ProgramDir = settings_.ProgramDir;
  DecodeSettings(image, s);
  EXPECT_EQ(s.ChordFileName, settings_.ProgramDir + U"chords.crd");
}

TEST_F(SettingsFileTest, AShorterFileReplacesALongerOneCompletely) {
  SetExample();
  settings_.ChordFileName = U"/a/very/long/path/to/the/collection/of/all/songs.crd";
  ASSERT_EQ(WriteSettings(settings_), U"");
  settings_.ChordFileName = U"/b.crd";
  settings_.Repeat = 1;
  ASSERT_EQ(WriteSettings(settings_), U"");
  EXPECT_EQ(FileBytes(), EncodeSettings(settings_));
  EXPECT_EQ(FileBytes().size(), 22u + 8u + 6u);
  ExpectSameStored(ReadBack(), settings_);
}

TEST_F(SettingsFileTest, AFailedWriteIsReportedAndLeavesTheOldFileIntact) {
  SetExample();
  ASSERT_EQ(WriteSettings(settings_), U"");
  const Bytes old = FileBytes();

  // A write cut short by the file size limit stands in for a full disk.
  settings_.ChordFileName = Text(200, U'x');
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 40;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const Text failure = WriteSettings(settings_);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(failure, U"The settings could not be saved to \"" + settings_.ProgramDir +
                         U"rifflo.CFG\": File too large.");
  EXPECT_EQ(FileBytes(), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path), fs::directory_iterator()), 1);

  const Text missingDir = settings_.ProgramDir + U"gone/";
  settings_.ProgramDir = missingDir;
  EXPECT_EQ(WriteSettings(settings_), U"The settings could not be saved to \"" + missingDir +
                                          U"rifflo.CFG\": No such file or directory.");
}

}  // namespace
}  // namespace vamplet
