#include "app/settings.h"

#include <windows.h>

#include <vector>

namespace app {
namespace {

constexpr wchar_t kFolderSection[] = L"下载目录";
constexpr wchar_t kFolderKey[] = L"目录";
constexpr wchar_t kEndpointSection[] = L"接口";

std::wstring ReadProfileText(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
    // The profile API truncates silently; grow the buffer until the value fits.
    std::vector<wchar_t> buffer(1024);
    for (;;) {
        DWORD length = GetPrivateProfileStringW(section, key, L"", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), path.c_str());
        if (length + 1 < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 4);
    }
}

void OverrideHost(std::wstring& host, const std::wstring& path, const wchar_t* key) {
    std::wstring value = ReadProfileText(path, kEndpointSection, key);
    while (!value.empty() && value.back() == L'/') value.pop_back();
    if (!value.empty()) host = value;
}

}  // namespace

std::wstring SettingsPath(const std::wstring& runDirectory) { return runDirectory + L"\\test.ini"; }

std::wstring ReadDownloadFolderSetting(const std::wstring& runDirectory) {
    return ReadProfileText(SettingsPath(runDirectory), kFolderSection, kFolderKey);
}

bool WriteDownloadFolderSetting(const std::wstring& runDirectory, const std::wstring& folder) {
    return WritePrivateProfileStringW(kFolderSection, kFolderKey, folder.c_str(),
                                      SettingsPath(runDirectory).c_str()) != FALSE;
}

Endpoints ReadEndpoints(const std::wstring& runDirectory) {
    Endpoints endpoints;
    std::wstring path = SettingsPath(runDirectory);
    OverrideHost(endpoints.songSearch, path, L"歌曲搜索");
    OverrideHost(endpoints.mvSearch, path, L"MV搜索");
    OverrideHost(endpoints.linkResolver, path, L"链接解析");
    return endpoints;
}

}  // namespace app
