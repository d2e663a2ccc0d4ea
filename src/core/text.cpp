// String helpers shared by the core: UTF-8 conversion, trimming and ASCII case.
#include "core/text.h"

namespace vamplet {

namespace {

// The length of the well-formed multi-byte sequence that starts at `from`, with its character
// in `cp`; 0 when the sequence is malformed. `from` points at a byte of 0x80 or more.
size_t SequenceAt(const unsigned char* from, const unsigned char* end, char32_t& cp) {
  const unsigned char b0 = *from;
  size_t extra;
  char32_t min;
  if ((b0 & 0xE0) == 0xC0) {
    extra = 1; cp = b0 & 0x1F; min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2; cp = b0 & 0x0F; min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3; cp = b0 & 0x07; min = 0x10000;
  } else {
    return 0;
  }
  if (static_cast<size_t>(end - from) <= extra) return 0;
  for (size_t k = 1; k <= extra; ++k) {
    const unsigned char b = from[k];
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return extra + 1;
}

const unsigned char* Bytes(std::string_view bytes) {
  return reinterpret_cast<const unsigned char*>(bytes.data());
}

}  // namespace

Text FromUtf8(std::string_view bytes) {
  Text out;
  AppendUtf8(bytes, out);
  return out;
}

void AppendUtf8(std::string_view bytes, Text& out) {
  // One character per byte at the most, so the room is made once and trimmed at the end.
  const size_t start = out.size();
  out.resize(start + bytes.size());
  char32_t* to = out.data() + start;
  const unsigned char* from = Bytes(bytes);
  const unsigned char* const end = from + bytes.size();
  while (from < end) {
    if (*from < 0x80) {
      *to++ = *from++;
      continue;
    }
    char32_t cp;
    const size_t length = SequenceAt(from, end, cp);
    if (length == 0) {
      *to++ = 0xFFFD;
      ++from;
      continue;
    }
    *to++ = cp;
    from += length;
  }
  out.resize(static_cast<size_t>(to - out.data()));
}

bool IsValidUtf8(std::string_view bytes) {
  const unsigned char* from = Bytes(bytes);
  const unsigned char* const end = from + bytes.size();
  while (from < end) {
    if (*from < 0x80) {
      ++from;
      continue;
    }
    char32_t cp;
    const size_t length = SequenceAt(from, end, cp);
    if (length == 0) return false;
    from += length;
  }
  return true;
}

std::string ToUtf8(const Text& text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

Text TrimSpaces(const Text& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && text[first] == U' ') ++first;
  while (last > first && text[last - 1] == U' ') --last;
  return text.substr(first, last - first);
}

bool IsBlank(const Text& text) {
  for (char32_t c : text) {
    if (c != U' ') return false;
  }
  return true;
}

char32_t UpperAscii(char32_t c) {
  return (c >= U'a' && c <= U'z') ? c - (U'a' - U'A') : c;
}

Text UpperAscii(const Text& text) {
  Text out(text);
  for (char32_t& c : out) c = UpperAscii(c);
  return out;
}

Text NumberText(long value) {
  const std::string s = std::to_string(value);
  return Text(s.begin(), s.end());
}

}  // namespace vamplet
