// Parsing of the performance options, with a clear sentence for each usage error.
#include "performance_options.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace vamplet {

namespace {

std::optional<long> WholeNumber(const std::string& text) {
  long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

std::optional<double> Milliseconds(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value) || value < 0) return std::nullopt;
  return value;
}

std::string Range(const std::string& name, long low, long high) {
  return name + " takes a whole number from " + std::to_string(low) + " to " +
         std::to_string(high) + ".";
}

}  // namespace

std::optional<std::string> ParsePerformanceOptions(const Args& args, const OptionSet& allowed,
                                                   PerformanceOptions& options) {
  constexpr long kMaxPosition = std::numeric_limits<int32_t>::max();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool takesValue = arg == "--song" || arg == "--select" || arg == "--fingering" ||
                            arg == "--channel" || arg == "--stop-at" ||
                            (allowed.output && arg == "-o") || (allowed.port && arg == "--port");
    if (takesValue && i + 1 >= args.size()) return arg + " needs a value.";
    const std::string value = takesValue ? args[i + 1] : std::string();
    if (takesValue) ++i;

    if (arg == "--song") {
      const auto n = WholeNumber(value);
      if (!n || *n < 1 || *n > 32767) return Range("--song", 1, 32767);
      options.song = static_cast<int>(*n);
    } else if (arg == "--select") {
      const size_t colon = value.find(':');
      const auto start = WholeNumber(value.substr(0, colon));
      const auto length =
          colon == std::string::npos ? std::optional<long>(0) : WholeNumber(value.substr(colon + 1));
      if (!start || !length || *start < 0 || *length < 0 || *start > kMaxPosition ||
          *length > kMaxPosition - *start) {
        return "--select takes START or START:LENGTH, two whole numbers of 0 or more.";
      }
      options.selStart = static_cast<int32_t>(*start);
      options.selLength = static_cast<int32_t>(*length);
    } else if (arg == "--fingering") {
      const auto n = WholeNumber(value);
      if (!n || *n < 0 || *n > 4) return Range("--fingering", 0, 4);
      options.fingering = static_cast<int>(*n);
    } else if (arg == "--channel") {
      const auto n = WholeNumber(value);
      if (!n || *n < 1 || *n > 16) return Range("--channel", 1, 16);
      options.channel = static_cast<int>(*n);
    } else if (arg == "--stop-at") {
      const auto ms = Milliseconds(value);
      if (!ms) return "--stop-at takes a time in milliseconds of 0 or more.";
      options.stopAt = *ms;
    } else if (arg == "-o") {
      if (value.empty()) return "-o needs the name of the file to write.";
      options.output = value;
    } else if (arg == "--port") {
      const auto n = WholeNumber(value);
      if (!n || *n < 0 || *n > 32767) return Range("--port", 0, 32767);
      options.port = static_cast<int>(*n);
    } else if (arg == "--intro") {
      options.intro = true;
    } else if (arg == "--fill") {
      options.fill = true;
    } else if (arg == "--repeat") {
      options.repeat = true;
    } else if (arg == "--no-chords") {
      options.chords = false;
    } else if (arg.starts_with("-") && arg != "-") {
      return "unknown option '" + arg + "'.";
    } else if (options.file.empty()) {
      options.file = arg;
    } else {
      return "only one chord file can be given; '" + arg + "' is one too many.";
    }
  }
  if (options.file.empty()) return "the chord file to play is missing.";
  if (allowed.output && options.output.empty()) return "-o OUT.mid, the file to write, is missing.";
  if (allowed.port && !options.port) return "--port N, the port menu item to play to, is missing.";
  if (allowed.repeatNeedsStop && options.repeat && !options.stopAt)
    return "--repeat needs --stop-at MS, or the performance never ends.";
  return std::nullopt;
}

bool ParseCommandOptions(const char* command, const char* arguments, const Args& args,
                         const OptionSet& allowed, PerformanceOptions& options) {
  const auto error = ParsePerformanceOptions(args, allowed, options);
  if (!error) return true;
  std::fprintf(stderr, "vamplet-cli %s: %s\nusage: vamplet-cli %s %s\n", command, error->c_str(),
               command, arguments);
  return false;
}

}  // namespace vamplet
