// Tests of the File menu's commands and of the question that offers to save changes.
#include "chordfile/file_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "chordfile/chord_file.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_song_display.h"
#include "fakes/temp_dir.h"

namespace vamplet {
namespace {

namespace fs = std::filesystem;

const Text kQuestion = U"Chord file has been changed, save it?";

using test::ReadBytes;
using test::TempDir;

struct CommandsFixture {
  TempDir dir{"vamplet-commands"};
  Settings settings;
  test::FakeSongDisplay display;
  test::FakeDialogs dialogs;
  SongCollection songs{settings, display, dialogs};
  FileCommands commands{songs};

  // A changed collection of one song titled `title`, not yet saved anywhere.
  explicit CommandsFixture(const Text& title = U"typed") {
    settings.ProgramDir = FromUtf8(dir.path.string()) + U"/";
    songs.NewChordFile();
    songs.Songs[1].Title = title;
    songs.FileChanged = true;
  }

  Text SongFile(const std::string& name, const std::string& bytes) {
    const Text path = dir.File(name);
    std::ofstream(ToUtf8(path), std::ios::binary) << bytes;
    return path;
  }
  int Questions() const {
    int n = 0;
    for (const auto& m : dialogs.messages) n += m.text == kQuestion;
    return n;
  }
};

TEST(FileCommandsTest, NewAsksOnlyAboutAChangedCollection) {
  CommandsFixture f;
  f.songs.FileChanged = false;
  f.settings.ChordFileName = f.dir.File("old.crd");
  f.commands.mnuFileNew_Click();
  EXPECT_EQ(f.Questions(), 0);
  EXPECT_EQ(f.songs.Songs[1].Title, U"");
  EXPECT_TRUE(f.settings.ChordFileName.empty());

  f.songs.FileChanged = true;
  f.commands.mnuFileNew_Click();  // answered No
  ASSERT_EQ(f.Questions(), 1);
  EXPECT_EQ(f.dialogs.messages[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(f.dialogs.messages[0].icon, MsgIcon::Question);
  EXPECT_TRUE(f.dialogs.fileDialogs.empty());
  EXPECT_EQ(f.songs.SongCount, 1);
  EXPECT_TRUE(f.songs.FileChanged);

  f.commands.mnuFileNew_Click();
  EXPECT_EQ(f.Questions(), 2);
}

TEST(FileCommandsTest, YesSavesUnderTheNameOrAsksForOne) {
  CommandsFixture named;
  named.settings.ChordFileName = named.dir.File("named.crd");
  named.dialogs.answers = {MsgAnswer::Yes};
  named.commands.mnuFileNew_Click();
  EXPECT_TRUE(named.dialogs.fileDialogs.empty());
  EXPECT_EQ(ReadBytes(named.dir.File("named.crd")).substr(0, 9), "T:typed\r\n");
  EXPECT_FALSE(named.songs.FileChanged);

  CommandsFixture unnamed;
  unnamed.settings.ChordFileDir = U"  " + FromUtf8(unnamed.dir.path.string()) + U" ";
  unnamed.dialogs.answers = {MsgAnswer::Yes};
  unnamed.dialogs.paths = {unnamed.dir.File("chosen")};
  unnamed.commands.mnuFileNew_Click();
  ASSERT_EQ(unnamed.dialogs.fileDialogs.size(), 1u);
  const test::ShownFileDialog& d = unnamed.dialogs.fileDialogs[0];
  EXPECT_EQ(d.mode, FileDialogMode::Save);
  EXPECT_EQ(d.initialDir, FromUtf8(unnamed.dir.path.string()));
  EXPECT_EQ(d.filter, U"All Files (*.*)|*.*|Song Files (*.crd)|*.crd");
  EXPECT_EQ(d.filterIndex, 2);
  EXPECT_EQ(ReadBytes(unnamed.dir.File("chosen.crd")).substr(0, 9), "T:typed\r\n");
  EXPECT_TRUE(unnamed.settings.ChordFileName.empty()) << "New starts without a name";
}

TEST(FileCommandsTest, ChosenPathGetsTheExtensionOnlyWithoutAnyDot) {
  struct Case {
    std::string chosen;
    std::string saved;
  } cases[] = {
      {"plain", "plain.crd"},
      {"name.txt", "name.txt"},
      {"my.folder/plain", "my.folder/plain"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    CommandsFixture f;
    fs::create_directory(f.dir.path / "my.folder");
    const Text base = FromUtf8(f.dir.path.string());
    // The fixture's directory name is free of dots, so only the chosen part decides.
    ASSERT_EQ(base.find(U'.'), Text::npos);
    f.dialogs.paths = {base + U"/" + FromUtf8(c.chosen)};
    f.commands.mnuFileSaveAs_Click();
    EXPECT_EQ(f.settings.ChordFileName, base + U"/" + FromUtf8(c.saved));
    EXPECT_TRUE(fs::is_regular_file(f.dir.path / c.saved));
    EXPECT_FALSE(f.songs.FileChanged);
  }
}

TEST(FileCommandsTest, CancelledSaveDialogWritesNothingAndTheCommandGoesOn) {
  CommandsFixture f;
  f.dialogs.answers = {MsgAnswer::Yes};
  f.commands.mnuFileNew_Click();
  EXPECT_EQ(f.dialogs.fileDialogs.size(), 1u);
  EXPECT_TRUE(f.settings.ChordFileName.empty());
  EXPECT_TRUE(f.songs.FileChanged);
  EXPECT_EQ(f.songs.Songs[1].Title, U"");
  EXPECT_TRUE(fs::is_empty(f.dir.path));
  EXPECT_EQ(f.dialogs.messages.size(), 1u);

  f.commands.mnuFileSaveAs_Click();
  EXPECT_TRUE(f.songs.FileChanged);
  EXPECT_EQ(f.dialogs.messages.size(), 1u);
}

TEST(FileCommandsTest, SaveAsksForANameOnlyWhenThereIsNone) {
  CommandsFixture f;
  f.settings.ChordFileName = f.dir.File("a.crd");
  f.songs.FileChanged = false;
  f.commands.mnuFileSave_Click();
  EXPECT_TRUE(f.dialogs.fileDialogs.empty());
  EXPECT_TRUE(fs::is_regular_file(f.dir.path / "a.crd"));

  f.dialogs.paths = {f.dir.File("b.crd")};
  f.commands.mnuFileSaveAs_Click();
  EXPECT_EQ(f.dialogs.fileDialogs.size(), 1u);
  EXPECT_EQ(f.settings.ChordFileName, f.dir.File("b.crd"));
  EXPECT_TRUE(fs::is_regular_file(f.dir.path / "b.crd"));
  EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST(FileCommandsTest, FailedSaveKeepsTheChangeAndTheOldFile) {
  CommandsFixture f;
  fs::create_directory(f.dir.path / "taken.crd");
  f.settings.ChordFileName = f.dir.File("taken.crd");
  f.commands.mnuFileSave_Click();
  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.dialogs.messages[0].text,
            U"Cannot save \"" + f.dir.File("taken.crd") + U"\": Is a directory.");
  EXPECT_TRUE(f.songs.FileChanged);
  EXPECT_TRUE(fs::is_directory(f.dir.path / "taken.crd"));
}

TEST(FileCommandsTest, FailedSaveFromTheQuestionLeavesARecoveryFileFirst) {
  CommandsFixture f(U"precious");
  f.settings.ChordFileName = f.dir.File("gone/x.crd");
  f.dialogs.answers = {MsgAnswer::Yes};

  f.commands.mnuFileNew_Click();

  Text recovery;
  for (const auto& entry : fs::directory_iterator(f.dir.path)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("recovered-", 0) == 0 && name.size() > 4 && name.substr(name.size() - 4) == ".crd") {
      recovery = FromUtf8(entry.path().string());
    }
  }
  ASSERT_FALSE(recovery.empty());
  EXPECT_EQ(ReadBytes(recovery).substr(0, 12), "T:precious\r\n");
  ASSERT_EQ(f.dialogs.messages.size(), 2u);
  EXPECT_EQ(f.dialogs.messages[1].text,
            U"Cannot save \"" + f.dir.File("gone/x.crd") + U"\": No such file or directory. "
            U"The songs were saved to \"" + recovery + U"\" instead.");
  EXPECT_EQ(f.songs.Songs[1].Title, U"") << "the command went on";
  EXPECT_TRUE(f.songs.FileChanged);

  // A second failure in the same minute must not overwrite the first copy.
  f.songs.Songs[1].Title = U"second";
  f.settings.ChordFileName = f.dir.File("gone/x.crd");
  f.dialogs.answers = {MsgAnswer::Yes};
  f.commands.SongWindowUnload();
  EXPECT_EQ(ReadBytes(recovery).substr(0, 12), "T:precious\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(f.dir.path), fs::directory_iterator()), 2);
}

TEST(FileCommandsTest, OpenAsksFirstThenReadsTheChosenFile) {
  CommandsFixture f;
  const Text path = f.SongFile("in.crd", "T:read\r\n");
  f.settings.ChordFileName = f.dir.File("saved.crd");
  f.dialogs.answers = {MsgAnswer::Yes};
  f.dialogs.paths = {path};

  f.commands.mnuFileOpen_Click();

  EXPECT_EQ(f.Questions(), 1);
  EXPECT_EQ(ReadBytes(f.dir.File("saved.crd")).substr(0, 9), "T:typed\r\n");
  ASSERT_EQ(f.dialogs.fileDialogs.size(), 1u);
  EXPECT_EQ(f.dialogs.fileDialogs[0].mode, FileDialogMode::Open);
  EXPECT_EQ(f.dialogs.fileDialogs[0].filter, U"All Files (*.*)|*.*|Chord Files (*.crd)|*.crd");
  EXPECT_EQ(f.dialogs.fileDialogs[0].filterIndex, 2);
  EXPECT_EQ(f.songs.Songs[1].Title, U"read");
  EXPECT_EQ(f.settings.ChordFileName, path);
  EXPECT_EQ(f.settings.ChordFileDir, FromUtf8(f.dir.path.string()) + U"/");
  EXPECT_FALSE(f.songs.FileChanged);
}

TEST(FileCommandsTest, OpenCancelledOrNotFoundKeepsTheCollection) {
  CommandsFixture f;
  f.settings.ChordFileName = f.dir.File("saved.crd");
  f.settings.ChordFileDir = U"/start/";
  f.commands.mnuFileOpen_Click();  // No, then cancel
  EXPECT_EQ(f.settings.ChordFileName, f.dir.File("saved.crd"));

  const Text typed = f.dir.File("typo.crd");
  f.dialogs.paths = {typed};
  f.commands.mnuFileOpen_Click();
  EXPECT_EQ(f.dialogs.messages.back().text, typed + U" not found.");
  EXPECT_EQ(f.dialogs.messages.back().buttons, MsgButtons::Ok);
  EXPECT_EQ(f.settings.ChordFileName, typed);
  EXPECT_EQ(f.settings.ChordFileDir, U"/start/");
  EXPECT_EQ(f.songs.Songs[1].Title, U"typed");
  EXPECT_TRUE(f.songs.FileChanged);
  EXPECT_EQ(f.dialogs.fileDialogs[1].initialDir, U"/start/");
}

TEST(FileCommandsTest, ClosingTheSongWindowAsksOnceAndNeverCancels) {
  CommandsFixture f;
  f.settings.ChordFileName = f.dir.File("keep.crd");
  f.commands.SongWindowUnload();
  EXPECT_EQ(f.Questions(), 1);
  EXPECT_FALSE(fs::exists(f.dir.path / "keep.crd"));

  f.songs.FileChanged = false;
  f.commands.SongWindowUnload();
  EXPECT_EQ(f.Questions(), 1);
}

}  // namespace
}  // namespace vamplet
