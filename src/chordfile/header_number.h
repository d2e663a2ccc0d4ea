// The number of a "B:" or "Q:" header line.
#pragma once

#include <cstdint>
#include <optional>

#include "core/text.h"

namespace vamplet {

// Blanks (space, tab) are skipped wherever they stand; then an optional sign, digits, an
// optional decimal point with digits and an optional exponent, up to the first character
// that cannot continue the number. No number gives 0. The value is rounded half to even;
// nothing is returned when it lies outside the 16-bit range.
std::optional<int16_t> ReadHeaderNumber(const Text& value);

}  // namespace vamplet
