// Byte encodings of chord files: strict UTF-8 detection and Windows-1252.
#include "chordfile/text_encoding.h"

namespace vamplet {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Code points of the bytes 0x80..0x9F; the undefined ones keep their own value.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool HasHighByte(std::string_view bytes) {
  for (char b : bytes) {
    if (static_cast<unsigned char>(b) >= 0x80) return true;
  }
  return false;
}

}  // namespace

Text FromWindows1252(std::string_view bytes) {
  Text out;
  AppendDecoded(bytes, TextEncoding::Windows1252, out);
  return out;
}

bool ToWindows1252(const Text& text, std::string& out) {
  out.clear();
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    int found = -1;
    for (int k = 0; k < 32; ++k) {
      if (kHighControls[k] == c) {
        found = k;
        break;
      }
    }
    if (found < 0) return false;
    out.push_back(static_cast<char>(0x80 + found));
  }
  return true;
}

FileBody InspectFileBytes(std::string_view bytes) {
  FileBody body;
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    body.byteOrderMark = true;
    bytes.remove_prefix(kByteOrderMark.size());
  }
  body.bytes = bytes;
  body.encoding = IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
  return body;
}

void AppendDecoded(std::string_view bytes, TextEncoding encoding, Text& out) {
  if (encoding == TextEncoding::Utf8) {
    AppendUtf8(bytes, out);
    return;
  }
  const size_t start = out.size();
  out.resize(start + bytes.size());
  char32_t* to = out.data() + start;
  for (char b : bytes) {
    const unsigned char u = static_cast<unsigned char>(b);
    *to++ = u >= 0x80 && u < 0xA0 ? kHighControls[u - 0x80] : char32_t{u};
  }
}

std::string EncodeFileBytes(const Text& text, TextEncoding preferred, bool byteOrderMark,
                            TextEncoding& used) {
  std::string body;
  used = TextEncoding::Utf8;
  // Windows-1252 bytes that happen to form valid UTF-8 would be read back as UTF-8 and
  // change the text, so such a text is written as UTF-8 instead.
  if (preferred == TextEncoding::Windows1252 && ToWindows1252(text, body) &&
      !(HasHighByte(body) && IsValidUtf8(body))) {
    used = TextEncoding::Windows1252;
  } else {
    body = ToUtf8(text);
  }
  if (!byteOrderMark) return body;
  std::string out(kByteOrderMark);
  out += body;
  return out;
}

}  // namespace vamplet
