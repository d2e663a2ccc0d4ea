// The chart as the core holds it (characters, CR LF breaks) against the box's text (UTF-16,
// one unit per line break), and positions converted between the two.
#pragma once

#include <QString>
#include <cstdint>

#include "core/text.h"

namespace vamplet {

// Every line break of the core text (CR LF, a lone CR, a lone LF) becomes one "\n".
QString ToBoxText(const Text& core);
// Every line break of the box ("\n", U+2029, U+2028) becomes CR LF.
Text ToCoreText(const QString& box);

// A core position (0-based, clipped to the text) as a position in the box. A position between
// the CR and the LF of one break counts as after the break.
int BoxPosition(const Text& core, int32_t corePos);
// A box position (clipped to the box text) as a position in the core text.
int32_t CorePosition(const Text& core, int boxPos);

}  // namespace vamplet
