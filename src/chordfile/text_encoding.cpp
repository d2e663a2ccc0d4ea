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

// Decodes bytes known to be valid UTF-8 straight into `to`, which has room for one
// character per byte; returns the end of what was written.
char32_t* DecodeValidUtf8(std::string_view bytes, char32_t* to) {
  const unsigned char* from = reinterpret_cast<const unsigned char*>(bytes.data());
  const unsigned char* const end = from + bytes.size();
  while (from < end) {
    const unsigned char b0 = *from++;
    if (b0 < 0x80) {
      *to++ = b0;
    } else if (b0 < 0xE0) {
      *to++ = (char32_t{b0 & 0x1Fu} << 6) | (from[0] & 0x3Fu);
      from += 1;
    } else if (b0 < 0xF0) {
      *to++ = (char32_t{b0 & 0x0Fu} << 12) | (char32_t{from[0] & 0x3Fu} << 6) | (from[1] & 0x3Fu);
      from += 2;
    } else {
      *to++ = (char32_t{b0 & 0x07u} << 18) | (char32_t{from[0] & 0x3Fu} << 12) |
              (char32_t{from[1] & 0x3Fu} << 6) | (from[2] & 0x3Fu);
      from += 3;
    }
  }
  return to;
}

bool HasHighByte(std::string_view bytes) {
  for (char b : bytes) {
    if (static_cast<unsigned char>(b) >= 0x80) return true;
  }
  return false;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    const unsigned char b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80) {
      ++i;
      continue;
    }
    int extra;
    char32_t cp;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) {
      extra = 1; cp = b0 & 0x1F; min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
      extra = 2; cp = b0 & 0x0F; min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
      extra = 3; cp = b0 & 0x07; min = 0x10000;
    } else {
      return false;
    }
    if (n - i <= static_cast<size_t>(extra)) return false;
    for (int k = 1; k <= extra; ++k) {
      const unsigned char b = static_cast<unsigned char>(bytes[i + k]);
      if ((b & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

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
  const size_t start = out.size();
  out.resize(start + bytes.size());
  char32_t* to = out.data() + start;
  if (encoding == TextEncoding::Utf8) {
    to = DecodeValidUtf8(bytes, to);
  } else {
    for (char b : bytes) {
      const unsigned char u = static_cast<unsigned char>(b);
      *to++ = u >= 0x80 && u < 0xA0 ? kHighControls[u - 0x80] : char32_t{u};
    }
  }
  out.resize(static_cast<size_t>(to - out.data()));
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
