// Times reading and saving a chord file of the largest size a collection can hold.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "chordfile/chord_file.h"

namespace {

class NoDisplay : public vamplet::SongDisplay {
 public:
  void SetTitleBox(const vamplet::Text&) override {}
  void SetSongBox(const vamplet::Text&) override {}
  void SetComposerBox(const vamplet::Text&) override {}
  void SetBeatsCaption(const vamplet::Text&) override {}
  void SetStyleBox(const vamplet::Text&) override {}
  void SetInfoBox(const vamplet::Text&) override {}
  void SetTempoCaption(const vamplet::Text&) override {}
  void FocusTitleBox() override {}
  void DiscardSelectionList() override {}
};

class SilentDialogs : public vamplet::Dialogs {
 public:
  vamplet::MsgAnswer MessageBox(const vamplet::Text& text, const vamplet::Text&,
                                vamplet::MsgButtons, vamplet::MsgIcon) override {
    std::printf("message: %s\n", vamplet::ToUtf8(text).c_str());
    return vamplet::MsgAnswer::Ok;
  }
  void SetHourglass(bool) override {}
  std::optional<vamplet::Text> FileDialog(vamplet::FileDialogMode, const vamplet::Text&,
                                          const vamplet::Text&, int) override {
    return std::nullopt;
  }
};

// A song of typical size: six header lines and a chart of twelve lines with lyrics.
std::string Song(int n) {
  std::string s = "T:Song number " + std::to_string(n) + "\r\nC:Some Composer\r\nB:4\r\nQ:" +
                  std::to_string(80 + n % 100) + "\r\nR:Swing Ballad\r\nI:from the big book\r\n";
  for (int line = 0; line < 6; ++line) {
    s += ".C|Am7|Dm7,G7|Cmaj7|{F}Em7b5,A7|\r\n";
    s += "When the night has come and the land is dark caf\xC3\xA9\r\n";
  }
  return s;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("vamplet-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string path = (dir / "largest.crd").string();
  {
    std::ofstream out(path, std::ios::binary);
    for (int n = 1; n <= vamplet::kMaxSongCapacity; ++n) out << Song(n);
  }

  vamplet::Settings settings;
  NoDisplay display;
  SilentDialogs dialogs;
  vamplet::SongCollection songs(settings, display, dialogs);
  constexpr int kRuns = 5;
  double best = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    settings.ChordFileName = vamplet::FromUtf8(path);
    const auto start = std::chrono::steady_clock::now();
    if (!vamplet::ReadChordFile(songs)) return 1;
    best = std::min(best, Seconds(start));
  }
  std::printf("file: %d songs, %.1f MB\n", songs.SongCount,
              static_cast<double>(fs::file_size(path)) / 1e6);
  std::printf("read:  best of %d runs %.3f s\n", kRuns, best);

  const auto formatStart = std::chrono::steady_clock::now();
  const size_t chars = vamplet::ChordFileText(songs).size();
  std::printf("format: %.3f s for %zu characters\n", Seconds(formatStart), chars);

  settings.ChordFileName = vamplet::FromUtf8((dir / "saved.crd").string());
  const auto start = std::chrono::steady_clock::now();
  if (!vamplet::SaveChordFile(songs)) return 1;
  std::printf("save:  %.3f s (including fsync)\n", Seconds(start));

  fs::remove_all(dir);
  return 0;
}
