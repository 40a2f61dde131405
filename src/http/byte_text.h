#pragma once
// Byte texts of the HTTP client: header lines, cookies and URLs in code page 936. Every search steps
// over double-byte characters whole, so a match never starts inside one; searches that ignore letter
// case fold only A to Z. A blank is a half-width space or the full-width space of the code page.
#include <cstddef>
#include <string>
#include <string_view>

namespace http {

constexpr size_t npos = std::string_view::npos;

// Position of `needle` in `text` at or after `from` (a character start), npos when absent.
size_t FindText(std::string_view text, std::string_view needle, size_t from = 0);
size_t FindTextNoCase(std::string_view text, std::string_view needle, size_t from = 0);

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
std::string ToUpperAscii(std::string_view text);

std::string_view TrimBlanksStart(std::string_view text);
std::string_view TrimBlanksEnd(std::string_view text);
std::string_view TrimBlanks(std::string_view text);

}  // namespace http
