// Unicode text as the core holds it, and the few string helpers every subsystem needs.
#pragma once

#include <string>
#include <string_view>

namespace vamplet {

// One element per character, so chart positions count characters, never bytes.
using Text = std::u32string;

// Decodes UTF-8; a malformed sequence yields U+FFFD per offending byte.
Text FromUtf8(std::string_view bytes);
// Appends the characters of `bytes` to `out` as FromUtf8 decodes them.
void AppendUtf8(std::string_view bytes, Text& out);
// True when `bytes` is well-formed UTF-8: no overlong forms, surrogates or truncated sequences.
bool IsValidUtf8(std::string_view bytes);
std::string ToUtf8(const Text& text);

// Removes the space character (and only it) at both ends.
Text TrimSpaces(const Text& text);
// True when the text is empty or holds spaces only.
bool IsBlank(const Text& text);
// Upper-cases the ASCII letters a..z; every other character stays.
Text UpperAscii(const Text& text);
char32_t UpperAscii(char32_t c);
// The decimal form of a number, with a leading minus sign when negative.
Text NumberText(long value);

}  // namespace vamplet
