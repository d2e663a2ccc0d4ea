// The File menu's commands: new, open, save, save as, and the question before a change is lost.
#include "chordfile/file_commands.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <system_error>

#include "chordfile/chord_file.h"

namespace vamplet {

namespace {

const Text kSaveQuestion = U"Chord file has been changed, save it?";
const Text kOpenFilter = U"All Files (*.*)|*.*|Chord Files (*.crd)|*.crd";
const Text kSaveFilter = U"All Files (*.*)|*.*|Song Files (*.crd)|*.crd";
constexpr int kCrdFilter = 2;

void ShowError(Dialogs& dialogs, const Text& message) {
  dialogs.MessageBox(message, kAppCaption, MsgButtons::Ok, MsgIcon::None);
}

// The save dialog; a path without any "." gets the default extension. Nothing on cancel.
std::optional<Text> AskSaveName(SongCollection& songs) {
  std::optional<Text> path = songs.dialogs().FileDialog(
      FileDialogMode::Save, TrimSpaces(songs.settings().ChordFileDir), kSaveFilter, kCrdFilter);
  if (!path || IsBlank(*path)) return std::nullopt;
  if (path->find(U'.') == Text::npos) *path += U".crd";
  return path;
}

// Saves under ChordFileName, or under a name the user picks first when `askName`. Nothing
// when the user cancels the dialog, else an empty text on success or what failed.
std::optional<Text> SaveCollection(SongCollection& songs, bool askName) {
  if (askName) {
    const std::optional<Text> path = AskSaveName(songs);
    if (!path) return std::nullopt;
    songs.settings().ChordFileName = *path;
  }
  songs.dialogs().SetHourglass(true);
  const Text error = TrySaveChordFile(songs);
  songs.dialogs().SetHourglass(false);
  if (error.empty()) songs.FileChanged = false;
  return error;
}

Text RecoveryName(int attempt) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M", &local);
  std::string name = std::string("recovered-") + stamp;
  if (attempt > 1) name += "-" + std::to_string(attempt);
  return FromUtf8(name + ".crd");
}

// Writes the collection to a new file named by the time, in the program's directory or
// else in the temporary directory. Returns its path, or empty when no copy could be written.
Text WriteRecoveryFile(SongCollection& songs) {
  std::vector<Text> dirs{songs.settings().ProgramDir};
  std::error_code ec;
  const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
  if (!ec) dirs.push_back(FromUtf8(temp.string()) + U"/");
  for (const Text& dir : dirs) {
    for (int attempt = 1; attempt <= 50; ++attempt) {
      const Text path = dir + RecoveryName(attempt);
      if (!FindFile(path).empty()) continue;
      if (WriteChordFile(songs, path).empty()) return path;
      break;
    }
  }
  return {};
}

}  // namespace

void FileCommands::AskSaveChanges() {
  if (!songs_.FileChanged) return;
  Dialogs& dialogs = songs_.dialogs();
  if (dialogs.MessageBox(kSaveQuestion, kAppCaption, MsgButtons::YesNo, MsgIcon::Question) !=
      MsgAnswer::Yes) {
    return;
  }
  const std::optional<Text> error =
      SaveCollection(songs_, IsBlank(songs_.settings().ChordFileName));
  if (!error || error->empty()) return;
  // The command that asked goes on and may replace the collection, so keep a copy first.
  const Text recovery = WriteRecoveryFile(songs_);
  if (recovery.empty()) {
    ShowError(dialogs, *error + U" No copy could be written elsewhere either.");
  } else {
    ShowError(dialogs, *error + U" The songs were saved to \"" + recovery + U"\" instead.");
  }
}

void FileCommands::mnuFileNew_Click() {
  AskSaveChanges();
  songs_.NewChordFile();
}

void FileCommands::mnuFileOpen_Click() {
  AskSaveChanges();
  Settings& settings = songs_.settings();
  Dialogs& dialogs = songs_.dialogs();
  const std::optional<Text> path = dialogs.FileDialog(
      FileDialogMode::Open, TrimSpaces(settings.ChordFileDir), kOpenFilter, kCrdFilter);
  if (!path) return;
  settings.ChordFileName = *path;
  if (IsBlank(settings.ChordFileName)) return;
  if (TrimSpaces(FindFile(settings.ChordFileName)).empty()) {
    ShowError(dialogs, settings.ChordFileName + U" not found.");
    return;
  }
  settings.ChordFileDir = DirOfPath(settings.ChordFileName);
  ReadChordFile(songs_);
}

void FileCommands::mnuFileSave_Click() {
  const std::optional<Text> error =
      SaveCollection(songs_, IsBlank(songs_.settings().ChordFileName));
  if (error && !error->empty()) ShowError(songs_.dialogs(), *error);
}

void FileCommands::mnuFileSaveAs_Click() {
  const std::optional<Text> error = SaveCollection(songs_, true);
  if (error && !error->empty()) ShowError(songs_.dialogs(), *error);
}

void FileCommands::SongWindowUnload() {
  if (songs_.FileChanged) AskSaveChanges();
}

}  // namespace vamplet
