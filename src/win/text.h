#pragma once
// Conversions between the program's UTF-16 text, UTF-8 (the wire) and code page 936 (stored files).
#include <string>
#include <string_view>

namespace win {

constexpr unsigned kCodePage936 = 936;

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view text);

// Code page 936 bytes of the text; characters the code page cannot show become "?".
// `lossless` (when given) tells whether every character survived.
std::string WideToCp936(std::wstring_view text, bool* lossless = nullptr);
std::wstring Cp936ToWide(std::string_view bytes);

// True when every character of the text has a code page 936 form.
bool FitsCp936(std::wstring_view text);

}  // namespace win
