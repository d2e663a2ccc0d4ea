// The chord file format: the reader, the writer, the existence test and the path helpers.
#include "chordfile/chord_file.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <optional>
#include <string_view>
#include <type_traits>
#include <system_error>

#include "chordfile/header_number.h"
#include "chordfile/text_encoding.h"
#include "core/safe_file.h"

namespace vamplet {

namespace {

const Text kLineEnd = U"\r\n";
const Text kKeepAdvice = U"save them under a new name to keep them.";

template <typename Char>
bool IsLineBreak(Char c) { return c == '\r' || c == '\n'; }

// The end of the line that starts at `pos`, and the start of the next one. CR LF, a CR
// alone and a LF alone each end a line. Works on file bytes as well as on text, since
// line ends and tags are ASCII in both of the file's encodings.
template <typename Char>
size_t LineEnd(std::basic_string_view<Char> text, size_t pos, size_t& next) {
  size_t end = pos;
  while (end < text.size() && !IsLineBreak(text[end])) ++end;
  next = end;
  if (next < text.size()) {
    next += (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1;
  }
  return end;
}

// The tag letter of a header line ("T", "C", "B", "Q", "R", "I"), or 0 for a chart line.
template <typename Char>
char32_t HeaderTag(std::basic_string_view<Char> text, size_t pos, size_t len) {
  if (len < 2 || text[pos + 1] != ':') return 0;
  const char32_t tag = UpperAscii(static_cast<char32_t>(static_cast<std::make_unsigned_t<Char>>(text[pos])));
  switch (tag) {
    case U'T': case U'C': case U'B': case U'Q': case U'R': case U'I':
      return tag;
    default:
      return 0;
  }
}

// A finished song loses the line end that followed its last chart line; a chart of a
// single empty line keeps its CR LF.
void FinishSong(SongRecord& song) {
  if (song.SongText.size() > 2) song.SongText.resize(song.SongText.size() - 2);
}

Text Quoted(const Text& path) { return U"\"" + path + U"\""; }

Text Shortened(const Text& value) {
  constexpr size_t kMost = 40;
  const Text trimmed = TrimSpaces(value);
  return trimmed.size() <= kMost ? trimmed : trimmed.substr(0, kMost) + U"...";
}

// Makes the collection hold a song to show and edit when the read left none.
void StartEmptyWhenNoSong(SongCollection& songs) {
  if (songs.SongCount > 0) return;
  songs.ResetForRead();
  songs.SongCount = 1;
  songs.ClearSong(1);
}

struct ReadError {
  long line = 0;
  Text message;
};

// Reads the lines of the file's body into the freshly reset collection, decoding one line
// at a time so the whole file is never held as text. Returns the error that stopped the
// read, or an empty message.
ReadError ReadSongs(SongCollection& songs, const FileBody& body, const Text& path) {
  ReadError error;
  const std::string_view bytes = body.bytes;
  SongRecord* song = &songs.Songs[0];
  size_t pos = 0;
  long line = 0;
  Text value;
  try {
    while (pos < bytes.size()) {
      size_t next;
      const size_t end = LineEnd(bytes, pos, next);
      const size_t len = end - pos;
      ++line;
      const char32_t tag = HeaderTag(bytes, pos, len);
      value.clear();
      if (tag != 0) AppendDecoded(bytes.substr(pos + 2, len - 2), body.encoding, value);
      switch (tag) {
        case U'T':
          if (songs.SongCount >= songs.SongCapacity && !songs.Grow()) {
            error.line = line;
            error.message = U"Overflow in line " + NumberText(line) + U" of " + Quoted(path) +
                            U": the file holds more than 32700 songs, the most a collection can "
                            U"have. Only the first 32700 songs were read; " + kKeepAdvice;
            return error;
          }
          if (songs.SongCount > 0) FinishSong(songs.Songs[songs.SongCount]);
          songs.SongCount = static_cast<int16_t>(songs.SongCount + 1);
          songs.ClearSong(songs.SongCount);
          song = &songs.Songs[songs.SongCount];
          song->Title = TrimSpaces(value);
          break;
        case U'C': song->Composer = TrimSpaces(value); break;
        case U'R': song->Style = TrimSpaces(value); break;
        case U'I': song->Info = TrimSpaces(value); break;
        case U'B':
        case U'Q': {
          const std::optional<int16_t> number = ReadHeaderNumber(value);
          if (!number) {
            error.line = line;
            error.message = U"Overflow in line " + NumberText(line) + U" of " + Quoted(path) +
                            U": the " + (tag == U'B' ? U"beats" : U"tempo") + U" value " +
                            Shortened(value) + U" lies outside -32768 to 32767. Only the songs "
                            U"up to that line were read; " + kKeepAdvice;
            return error;
          }
          (tag == U'B' ? song->Beats : song->Tempo) = *number;
          break;
        }
        default:
          AppendDecoded(bytes.substr(pos, len), body.encoding, song->SongText);
          song->SongText += kLineEnd;
      }
      pos = next;
    }
  } catch (const std::bad_alloc&) {
    error.line = line;
    error.message = U"Out of memory in line " + NumberText(line) + U" of " + Quoted(path) +
                    U". Only the songs up to that line were read; " + kKeepAdvice;
  }
  return error;
}

void AppendHeader(Text& out, const char32_t* tag, const Text& value) {
  out += tag;
  Text oneLine = value;
  for (char32_t& c : oneLine) {
    if (IsLineBreak(c)) c = U' ';
  }
  out += TrimSpaces(oneLine);
  out += kLineEnd;
}

void AppendChart(Text& out, const Text& chart) {
  if (chart.empty()) return;
  size_t pos = 0;
  for (;;) {
    size_t next;
    const size_t end = LineEnd(std::u32string_view(chart), pos, next);
    if (HeaderTag(std::u32string_view(chart), pos, end - pos) != 0) out += U' ';
    out.append(chart, pos, end - pos);
    out += kLineEnd;
    // A break at the very end leaves one more line: the empty last line of the chart.
    if (end == chart.size()) break;
    pos = next;
  }
}

Text WriteInEncoding(const SongCollection& songs, const Text& path, TextEncoding& used) {
  try {
    const std::string bytes =
        EncodeFileBytes(ChordFileText(songs), songs.Encoding, songs.ByteOrderMark, used);
    return ReplaceFileBytes(path, bytes);
  } catch (const std::bad_alloc&) {
    return U"Cannot save " + Quoted(path) + U": out of memory.";
  }
}

}  // namespace

bool ReadChordFile(SongCollection& songs) {
  Dialogs& dialogs = songs.dialogs();
  const Text path = songs.settings().ChordFileName;
  dialogs.SetHourglass(true);

  std::string bytes;
  Text error = ReadFileBytes(path, bytes);
  if (error.empty()) {
    const FileBody body = InspectFileBytes(bytes);
    songs.ResetForRead();
    songs.display().DiscardSelectionList();
    songs.Encoding = body.encoding;
    songs.ByteOrderMark = body.byteOrderMark;
    error = ReadSongs(songs, body, path).message;
    if (songs.SongCount > 0) FinishSong(songs.Songs[songs.SongCount]);
    StartEmptyWhenNoSong(songs);
    songs.CurrentSong = 1;
    songs.ShowSong();
  } else {
    // The collection in memory stays; only a program without one gets an empty song.
    if (songs.SongCount <= 0) {
      StartEmptyWhenNoSong(songs);
      songs.CurrentSong = 1;
      songs.ShowSong();
    }
  }
  dialogs.SetHourglass(false);
  if (!error.empty()) {
    dialogs.MessageBox(error, kAppCaption, MsgButtons::Ok, MsgIcon::None);
    songs.settings().ChordFileName.clear();
    return false;
  }
  songs.FileChanged = false;
  return true;
}

Text FindFile(const Text& path) {
  try {
    if (IsBlank(path) || path.find(U'\0') != Text::npos) return {};
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::path(ToUtf8(path)), ec) || ec) return {};
    return FileOfPath(path);
  } catch (...) {
    return {};
  }
}

Text ChordFileText(const SongCollection& songs) {
  const size_t last = std::min(static_cast<size_t>(std::max<int16_t>(songs.SongCount, 0)),
                               songs.Songs.empty() ? size_t{0} : songs.Songs.size() - 1);
  // Growing a text of many megabytes step by step costs more than the writing itself.
  size_t estimate = 0;
  for (size_t i = 1; i <= last; ++i) {
    const SongRecord& song = songs.Songs[i];
    estimate += song.Title.size() + song.Composer.size() + song.Style.size() + song.Info.size() +
                song.SongText.size() + song.SongText.size() / 16 + 48;
  }
  Text out;
  out.reserve(estimate);
  for (size_t i = 1; i <= last; ++i) {
    const SongRecord& song = songs.Songs[i];
    if (song.Deleted) continue;
    AppendHeader(out, U"T:", song.Title);
    AppendHeader(out, U"C:", song.Composer);
    AppendHeader(out, U"B:", NumberText(song.Beats));
    AppendHeader(out, U"Q:", NumberText(song.Tempo));
    AppendHeader(out, U"R:", song.Style);
    AppendHeader(out, U"I:", song.Info);
    AppendChart(out, song.SongText);
  }
  return out;
}

Text WriteChordFile(const SongCollection& songs, const Text& path) {
  TextEncoding used;
  return WriteInEncoding(songs, path, used);
}

Text TrySaveChordFile(SongCollection& songs) {
  TextEncoding used;
  const Text error = WriteInEncoding(songs, songs.settings().ChordFileName, used);
  if (error.empty()) songs.Encoding = used;
  return error;
}

bool SaveChordFile(SongCollection& songs) {
  Dialogs& dialogs = songs.dialogs();
  dialogs.SetHourglass(true);
  const Text error = TrySaveChordFile(songs);
  dialogs.SetHourglass(false);
  if (error.empty()) return true;
  dialogs.MessageBox(error, kAppCaption, MsgButtons::Ok, MsgIcon::None);
  return false;
}

Text FileOfPath(const Text& path) {
  const size_t slash = path.rfind(U'/');
  return slash == Text::npos ? path : path.substr(slash + 1);
}

Text DirOfPath(const Text& path) {
  const size_t slash = path.rfind(U'/');
  return slash == Text::npos ? Text() : path.substr(0, slash + 1);
}

}  // namespace vamplet
