#include "queue/safe_file_name.h"

#include <algorithm>
#include <array>
#include <cwctype>

namespace queue {
namespace {

bool IsReservedCharacter(wchar_t c) {
    return c < 0x20 || c == L'<' || c == L'>' || c == L':' || c == L'"' || c == L'/' || c == L'\\' ||
           c == L'|' || c == L'?' || c == L'*';
}

void TrimTrailingDotsAndBlanks(std::wstring& s) {
    while (!s.empty() && (s.back() == L'.' || s.back() == L' ')) s.pop_back();
}

std::wstring Upper(std::wstring_view s) {
    std::wstring out(s);
    for (auto& c : out) c = static_cast<wchar_t>(std::towupper(c));
    return out;
}

// Windows treats the device names as reserved whatever follows the first dot, and ignores blanks
// before that dot ("con .txt" opens the console too).
bool IsReservedDeviceName(std::wstring_view name) {
    std::wstring stem(name.substr(0, std::min(name.find(L'.'), name.size())));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    stem = Upper(stem);
    static const std::array<std::wstring_view, 4> plain = {L"CON", L"PRN", L"AUX", L"NUL"};
    if (std::find(plain.begin(), plain.end(), stem) != plain.end()) return true;
    if (stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT"))) {
        wchar_t d = stem[3];
        return (d >= L'1' && d <= L'9') || d == L'\u00b9' || d == L'\u00b2' || d == L'\u00b3';
    }
    return false;
}

// Cuts to at most `max` UTF-16 units without splitting a surrogate pair.
void CutTo(std::wstring& s, size_t max) {
    if (s.size() <= max) return;
    s.resize(max);
    if (!s.empty() && s.back() >= 0xD800 && s.back() <= 0xDBFF) s.pop_back();
}

// Keeps an extension of up to this many characters when a long name is cut.
constexpr size_t kKeptExtension = 16;

void Shorten(std::wstring& name, size_t max) {
    if (name.size() <= max) return;
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0 && name.size() - dot <= kKeptExtension && name.size() - dot < max) {
        std::wstring ext = name.substr(dot);
        std::wstring stem = name.substr(0, dot);
        CutTo(stem, max - ext.size());
        TrimTrailingDotsAndBlanks(stem);
        if (!stem.empty()) {
            name = stem + ext;
            return;
        }
    }
    CutTo(name, max);
}

}  // namespace

std::wstring MakeSafeFileName(std::wstring_view input, size_t maxLength) {
    maxLength = std::clamp<size_t>(maxLength, 2, kMaxFileNameLength);
    std::wstring name(input);
    for (auto& c : name)
        if (IsReservedCharacter(c)) c = L'_';
    Shorten(name, maxLength);
    TrimTrailingDotsAndBlanks(name);
    if (name.empty()) return L"_";
    if (IsReservedDeviceName(name)) {
        name.insert(0, 1, L'_');
        Shorten(name, maxLength);
        TrimTrailingDotsAndBlanks(name);
    }
    return name;
}

}  // namespace queue
