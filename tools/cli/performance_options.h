// The options shared by events, export and play, and their parser.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "commands.h"

namespace vamplet {

struct PerformanceOptions {
  std::string file;
  int song = 1;
  int32_t selStart = 0;
  int32_t selLength = 0;
  int fingering = 0;
  int channel = 1;  // 1..16 as players count them
  bool intro = false;
  bool fill = false;
  bool repeat = false;
  bool chords = true;
  std::optional<double> stopAt;
  std::string output;       // export: -o OUT.mid
  std::optional<int> port;  // play: --port N
};

// What a subcommand takes besides the shared options.
struct OptionSet {
  bool output = false;
  bool port = false;
  // A virtual run with Repeat needs a Stop time, or it never ends.
  bool repeatNeedsStop = true;
};

// Fills `options` from the arguments after the subcommand's name; the error text of a usage
// error, or nothing.
std::optional<std::string> ParsePerformanceOptions(const Args& args, const OptionSet& allowed,
                                                   PerformanceOptions& options);

// The same for the subcommand `command`: on a usage error it prints the error and the usage
// line "vamplet-cli COMMAND ARGUMENTS", and returns false.
bool ParseCommandOptions(const char* command, const char* arguments, const Args& args,
                         const OptionSet& allowed, PerformanceOptions& options);

}  // namespace vamplet
