// Reading header numbers the way the chord file format has always read them.
#include "chordfile/header_number.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace vamplet {

namespace {

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// Collects the characters of the number without blanks, in the form strtod accepts.
std::string NumberChars(const Text& value) {
  std::string out;
  size_t i = 0;
  const size_t n = value.size();
  auto skipBlanks = [&] {
    while (i < n && (value[i] == U' ' || value[i] == U'\t')) ++i;
  };
  auto takeDigits = [&] {
    size_t count = 0;
    for (skipBlanks(); i < n && IsDigit(value[i]); skipBlanks()) {
      out.push_back(static_cast<char>(value[i++]));
      ++count;
    }
    return count;
  };

  skipBlanks();
  if (i < n && (value[i] == U'+' || value[i] == U'-')) out.push_back(static_cast<char>(value[i++]));
  size_t digits = takeDigits();
  if (i < n && value[i] == U'.') {
    ++i;
    out.push_back('.');
    digits += takeDigits();
  }
  if (digits == 0) return {};
  if (i < n && (value[i] == U'E' || value[i] == U'e')) {
    const size_t mark = out.size();
    ++i;
    out.push_back('e');
    skipBlanks();
    if (i < n && (value[i] == U'+' || value[i] == U'-')) out.push_back(static_cast<char>(value[i++]));
    if (takeDigits() == 0) out.resize(mark);
  }
  return out;
}

}  // namespace

std::optional<int16_t> ReadHeaderNumber(const Text& value) {
  const std::string chars = NumberChars(value);
  if (chars.empty()) return int16_t{0};
  // strtod takes any length of digits and exponent, saturating to infinity or zero.
  const double number = std::strtod(chars.c_str(), nullptr);
  if (!std::isfinite(number)) return std::nullopt;
  const double below = std::floor(number);
  const double fraction = number - below;
  double rounded = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1.0;
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) return std::nullopt;
  return static_cast<int16_t>(rounded);
}

}  // namespace vamplet
