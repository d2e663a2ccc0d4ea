// vamplet-cli export: a performance on the virtual clock written as a Standard MIDI File.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "cli_performance.h"
#include "commands.h"
#include "performance_options.h"
#include "smf_writer.h"

namespace vamplet {

namespace {

// Writes beside the target first, so a failed write leaves an older file intact.
bool WriteFile(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) std::filesystem::remove(temporary, error);
  return !error;
}

}  // namespace

int ExportCommand(const Args& args) {
  PerformanceOptions options;
  OptionSet allowed;
  allowed.output = true;
  if (const auto error = ParsePerformanceOptions(args, allowed, options)) {
    std::fprintf(stderr,
                 "vamplet-cli export: %s\nusage: vamplet-cli export FILE -o OUT.mid [options]\n",
                 error->c_str());
    return 2;
  }
  VirtualClock clock;
  CliPerformance performance(options, clock, nullptr);
  if (const int status = performance.Record(clock); status != 0) return status;

  SmfSong song;
  song.title = performance.song().Title;
  song.chart = performance.song().SongText;
  song.tempo = performance.song().Tempo;
  song.beats = performance.song().Beats;
  if (!WriteFile(options.output, BuildSmf(performance.recorder().Events(), song))) {
    std::fprintf(stderr,
                 "vamplet-cli export: \"%s\" could not be written; check that its folder exists "
                 "and is writable.\n",
                 options.output.c_str());
    return 1;
  }
  return 0;
}

}  // namespace vamplet
