// vamplet-cli songs: the collection of a chord file, exactly as the reader leaves it, as JSON.
#include <cstdio>
#include <iostream>

#include <nlohmann/json.hpp>

#include "app/logic/settings.h"
#include "chordfile/chord_file.h"
#include "commands.h"
#include "headless_ui.h"
#include "songs/song_collection.h"

namespace vamplet {

namespace {

nlohmann::ordered_json SongJson(const SongRecord& song) {
  return {{"title", ToUtf8(song.Title)},       {"composer", ToUtf8(song.Composer)},
          {"beats", song.Beats},               {"tempo", song.Tempo},
          {"style", ToUtf8(song.Style)},       {"info", ToUtf8(song.Info)},
          {"text", ToUtf8(song.SongText)}};
}

}  // namespace

int SongsCommand(const Args& args) {
  if (args.size() != 1 || args[0].empty()) {
    std::fputs("usage: vamplet-cli songs FILE\n", stderr);
    return 2;
  }
  Settings settings;
  settings.ChordFileName = FromUtf8(args[0]);
  NullSongDisplay display;
  CapturingDialogs dialogs;
  SongCollection songs(settings, display, dialogs);

  const bool complete = ReadChordFile(songs);

  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (int i = 1; i <= songs.SongCount && i < static_cast<int>(songs.Songs.size()); ++i) {
    list.push_back(SongJson(songs.Songs[static_cast<size_t>(i)]));
  }
  nlohmann::ordered_json error = nullptr;
  if (!complete) {
    error = dialogs.messages.empty()
                ? "The chord file \"" + args[0] + "\" could not be read completely."
                : ToUtf8(dialogs.messages.back());
  }
  const nlohmann::ordered_json out = {{"songs", list}, {"error", error}};
  // Replacement characters, not an exception, for anything that is not valid UTF-8.
  std::cout << out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
  std::cout.flush();
  return complete ? 0 : 1;
}

}  // namespace vamplet
