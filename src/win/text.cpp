#include "win/text.h"

#include <windows.h>

namespace win {
namespace {

std::wstring ToWide(unsigned codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(n > 0 ? n : 0, L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }

std::wstring Cp936ToWide(std::string_view bytes) { return ToWide(kCodePage936, bytes); }

std::string WideToUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                            nullptr);
    return out;
}

std::string WideToCp936(std::wstring_view text, bool* lossless) {
    if (lossless) *lossless = true;
    if (text.empty()) return {};
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(kCodePage936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, "?",
                                &usedDefault);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(kCodePage936, 0, text.data(), static_cast<int>(text.size()), out.data(), n, "?",
                            &usedDefault);
    if (lossless) *lossless = !usedDefault;
    return out;
}

bool FitsCp936(std::wstring_view text) {
    bool lossless = true;
    WideToCp936(text, &lossless);
    // A round trip also catches characters that map to a best-fit lookalike.
    return lossless && Cp936ToWide(WideToCp936(text)) == text;
}

}  // namespace win
