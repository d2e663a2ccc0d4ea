// vamplet-cli export: a performance on the virtual clock written as a Standard MIDI File.
#include <cstdio>

#include "cli_performance.h"
#include "commands.h"
#include "core/safe_file.h"
#include "performance_options.h"
#include "smf_writer.h"

namespace vamplet {

int ExportCommand(const Args& args) {
  PerformanceOptions options;
  OptionSet allowed;
  allowed.output = true;
  if (!ParseCommandOptions("export", "FILE -o OUT.mid [options]", args, allowed, options)) return 2;
  VirtualClock clock;
  CliPerformance performance(options, clock, nullptr);
  if (const int status = performance.Record(clock); status != 0) return status;

  SmfSong song;
  song.title = performance.song().Title;
  song.chart = performance.song().SongText;
  song.tempo = performance.song().Tempo;
  song.beats = performance.song().Beats;
  if (ReplaceFile(FromUtf8(options.output), BuildSmf(performance.recorder().Events(), song)) != 0) {
    std::fprintf(stderr,
                 "vamplet-cli export: \"%s\" could not be written; check that its folder exists "
                 "and is writable.\n",
                 options.output.c_str());
    return 1;
  }
  return 0;
}

}  // namespace vamplet
