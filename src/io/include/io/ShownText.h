#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text from files and file names, made safe to print or draw: a name that holds a newline or a
// terminal escape, or bytes that are not UTF-8, must neither split a one-line message nor reach
// a terminal or a window raw.
namespace tarnwick {

// The text with every control character (C0, DEL and C1) and every byte that is not part of
// valid UTF-8 written as \xHH; printable text, in any script, stays as it is.
[[nodiscard]] std::string escapedText(std::string_view text);

// The same for 8-bit text that may be UTF-8 or Latin-1: control characters are escaped in
// either reading (C0, DEL, C1 as UTF-8 and a lone byte 80-9F), other bytes stay as they are.
[[nodiscard]] std::string escapedControls(std::string_view text);

// The length of the valid UTF-8 sequence (one character) at the start of text, 0 when text is
// empty or does not start with one.
[[nodiscard]] std::size_t utf8SequenceLength(std::string_view text);

// A file name or path as a message quotes it: escaped, within double quotes.
[[nodiscard]] std::string quotedName(std::string_view path);

// At most about limit bytes of a value for a message, escaped and cut at a character with "…"
// when longer, so that a huge value in a file never becomes a huge message.
[[nodiscard]] std::string shortQuote(std::string_view value, std::size_t limit = 40);

} // namespace tarnwick
