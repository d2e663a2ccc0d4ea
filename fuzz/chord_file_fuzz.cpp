// Fuzz target: any file reads without harm, and what was read saves and reads back unchanged.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "chordfile/chord_file.h"
#include "chordfile/text_encoding.h"
#include "core/fakes/fake_dialogs.h"
#include "core/fakes/fake_song_display.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// One directory per fuzzing process for the input file and its saved copy, removed at exit.
const std::string& WorkDir() {
  static const std::string dir = [] {
    std::string tmpl = "/tmp/vamplet-chordfile-fuzz-XXXXXX";
    Require(::mkdtemp(tmpl.data()) != nullptr);
    return tmpl + "/";
  }();
  static const bool cleanup = std::atexit([] {
    std::remove((WorkDir() + "input.crd").c_str());
    std::remove((WorkDir() + "saved.crd").c_str());
    ::rmdir(WorkDir().c_str());
  }) == 0;
  (void)cleanup;
  return dir;
}

bool SameSongs(const vamplet::SongCollection& a, const vamplet::SongCollection& b) {
  if (a.SongCount != b.SongCount) return false;
  for (int i = 1; i <= a.SongCount; ++i) {
    const vamplet::SongRecord& x = a.Songs[i];
    const vamplet::SongRecord& y = b.Songs[i];
    if (x.Title != y.Title || x.Composer != y.Composer || x.Beats != y.Beats ||
        x.Tempo != y.Tempo || x.Style != y.Style || x.Info != y.Info ||
        x.SongText != y.SongText) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vamplet;
  const std::string input = WorkDir() + "input.crd";
  const std::string saved = WorkDir() + "saved.crd";
  // Removing first, not truncating: ext4 flushes a truncated and rewritten file on close.
  std::remove(input.c_str());
  std::ofstream(input, std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  Settings settings;
  test::FakeSongDisplay display;
  test::FakeDialogs dialogs;
  SongCollection songs(settings, display, dialogs);
  settings.ChordFileName = FromUtf8(input);
  const bool complete = ReadChordFile(songs);

  Require(songs.SongCount >= 1 && songs.SongCount <= songs.SongCapacity);
  Require(songs.Songs.size() == static_cast<size_t>(songs.SongCapacity) + 1);
  Require(songs.Current() != nullptr && !songs.Current()->Deleted);
  Require(complete == dialogs.messages.empty());
  if (!complete) return 0;

  // The writer's bytes go out without the durable replace, which would only slow the fuzzer.
  TextEncoding used;
  const std::string bytes =
      EncodeFileBytes(ChordFileText(songs), songs.Encoding, songs.ByteOrderMark, used);
  std::remove(saved.c_str());
  std::ofstream(saved, std::ios::binary) << bytes;
  Settings settings2;
  test::FakeSongDisplay display2;
  test::FakeDialogs dialogs2;
  SongCollection again(settings2, display2, dialogs2);
  settings2.ChordFileName = FromUtf8(saved);
  Require(ReadChordFile(again));
  Require(SameSongs(songs, again));
  return 0;
}
