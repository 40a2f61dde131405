#pragma once
// test.ini in the run directory: the download folder ([下载目录] 目录, written by the program) and the
// optional web endpoint hosts ([接口], only ever read).
#include <string>

namespace app {

struct Endpoints {
    std::wstring songSearch = L"http://songsearch.kugou.com";
    std::wstring mvSearch = L"http://mvsearch.kugou.com";
    // The link resolver is an outside service with no public host of ours: this placeholder can never
    // answer, so the user has to name a real resolver in [接口] 链接解析.
    std::wstring linkResolver = L"http://link-resolver.invalid";
};

std::wstring SettingsPath(const std::wstring& runDirectory);

// The saved download folder, "" when the file, the section or the key is missing.
std::wstring ReadDownloadFolderSetting(const std::wstring& runDirectory);
bool WriteDownloadFolderSetting(const std::wstring& runDirectory, const std::wstring& folder);

// The compiled-in hosts, each replaced by a non-empty [接口] value (trailing "/" dropped).
Endpoints ReadEndpoints(const std::wstring& runDirectory);

}  // namespace app
