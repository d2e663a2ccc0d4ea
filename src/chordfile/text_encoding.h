// Decoding the bytes of a chord file into text and encoding text back into bytes.
#pragma once

#include <string>
#include <string_view>

#include "core/text.h"
#include "songs/song_collection.h"

namespace vamplet {

// The bytes of a file after its byte order mark, and how to decode them.
struct FileBody {
  std::string_view bytes;
  TextEncoding encoding = TextEncoding::Utf8;
  bool byteOrderMark = false;
};

// Windows-1252; the five bytes it leaves undefined map to the code points of the same value.
Text FromWindows1252(std::string_view bytes);
// False, with `out` unspecified, when some character has no Windows-1252 byte.
bool ToWindows1252(const Text& text, std::string& out);

// A leading UTF-8 byte order mark is skipped and noted; the rest is UTF-8 when it is valid
// UTF-8 as a whole, else Windows-1252.
FileBody InspectFileBytes(std::string_view bytes);

// Appends the decoded `bytes` to `out`. In UTF-8 they must be valid and hold whole
// characters, as any stretch between two ASCII bytes of a valid file does.
void AppendDecoded(std::string_view bytes, TextEncoding encoding, Text& out);

// The bytes to write for `text`: in `preferred` when that encoding holds the text and reads
// back as the same encoding, else in UTF-8. `used` tells which one was written.
std::string EncodeFileBytes(const Text& text, TextEncoding preferred, bool byteOrderMark,
                            TextEncoding& used);

}  // namespace vamplet
