// The settings file "rifflo.CFG": byte layout, reading at start-up and the atomic write at exit.
#include "app/logic/settings_file.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "core/safe_file.h"

namespace vamplet {

namespace {

// The longest file a valid image can be: the fixed fields plus two texts of the largest
// length a 16-bit field can state. Nothing beyond it is ever read.
constexpr size_t kLongestImage = 22 + 2 * static_cast<size_t>(std::numeric_limits<int16_t>::max());

class ImageReader {
 public:
  explicit ImageReader(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}

  // A field that is not wholly inside the file reads as 0, and the file counts as ended.
  int16_t Integer() {
    if (bytes_.size() - pos_ < 2) {
      pos_ = bytes_.size();
      return 0;
    }
    const auto value = static_cast<uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    pos_ += 2;
    return static_cast<int16_t>(value);
  }

  // A negative length cannot come from a writer: the text reads as empty and the rest of
  // the file as missing. A length past the end takes the bytes that are there.
  Text String() {
    const int16_t length = Integer();
    if (length < 0) {
      pos_ = bytes_.size();
      return Text();
    }
    const size_t take = std::min(static_cast<size_t>(length), bytes_.size() - pos_);
    const std::string_view raw(reinterpret_cast<const char*>(bytes_.data()) + pos_, take);
    pos_ += take;
    return FromUtf8(raw);
  }

 private:
  const std::vector<unsigned char>& bytes_;
  size_t pos_ = 0;
};

void PutInteger(std::vector<unsigned char>& out, int16_t value) {
  const auto bits = static_cast<uint16_t>(value);
  out.push_back(static_cast<unsigned char>(bits & 0xFF));
  out.push_back(static_cast<unsigned char>(bits >> 8));
}

// A text whose UTF-8 form is longer than a length field can state is stored empty, so it
// reads back as its default instead of as a cut-off path.
void PutString(std::vector<unsigned char>& out, const Text& text) {
  std::string bytes = ToUtf8(text);
  if (bytes.size() > static_cast<size_t>(std::numeric_limits<int16_t>::max())) bytes.clear();
  PutInteger(out, static_cast<int16_t>(bytes.size()));
  out.insert(out.end(), bytes.begin(), bytes.end());
}

// The file's first kLongestImage bytes. An absent or unreadable file gives none, and so does
// anything but a regular file: a directory or a pipe in its place must not stall start-up.
std::vector<unsigned char> LoadImage(const Text& path) {
  std::string bytes;
  ReadRegularFile(path, kLongestImage, bytes);
  return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

Text SaveFailure(const Text& path, int error) {
  return U"The settings could not be saved to \"" + path + U"\": " + SystemErrorText(error) + U".";
}

}  // namespace

std::vector<unsigned char> EncodeSettings(const Settings& settings) {
  std::vector<unsigned char> out;
  PutInteger(out, 1);
  PutInteger(out, settings.Fingering);
  PutString(out, settings.ChordFileDir);
  PutString(out, settings.ChordFileName);
  PutInteger(out, settings.TextSize);
  PutInteger(out, settings.ChordPort);
  PutInteger(out, settings.ChordChannel);
  PutInteger(out, settings.Intro);
  PutInteger(out, settings.Fill);
  PutInteger(out, settings.Chords);
  PutInteger(out, settings.Repeat);
  return out;
}

void DecodeSettings(const std::vector<unsigned char>& bytes, Settings& settings) {
  ImageReader in(bytes);
  in.Integer();
  settings.Fingering = in.Integer();
  settings.ChordFileDir = in.String();
  if (IsBlank(settings.ChordFileDir)) settings.ChordFileDir = settings.ProgramDir;
  settings.ChordFileName = in.String();
  if (IsBlank(settings.ChordFileName)) settings.ChordFileName = settings.ProgramDir + U"chords.crd";
  settings.TextSize = in.Integer();
  settings.ChordPort = in.Integer();
  settings.ChordChannel = in.Integer();
  settings.Intro = in.Integer();
  settings.Fill = in.Integer();
  settings.Chords = in.Integer();
  settings.Repeat = in.Integer();
}

void ReadSettings(Settings& settings, SettingsDisplay& display) {
  DecodeSettings(LoadImage(settings.ProgramDir + kSettingsFileName), settings);
  display.CheckFingeringMenu();
  display.CheckTextSizeMenu();
  display.CheckChannelMenu();
  display.ShowCheckBoxes();
}

Text WriteSettings(Settings& settings) {
  settings.ChordFileDir = TrimSpaces(settings.ChordFileDir);
  settings.ChordFileName = TrimSpaces(settings.ChordFileName);
  const std::vector<unsigned char> image = EncodeSettings(settings);

  const Text target = settings.ProgramDir + kSettingsFileName;
  const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
  const int error = ReplaceFile(target, bytes);
  return error == 0 ? Text() : SaveFailure(target, error);
}

}  // namespace vamplet
