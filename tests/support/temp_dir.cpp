#include "support/temp_dir.h"

#include <windows.h>

#include <atomic>

namespace testing_support {

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    wchar_t base[MAX_PATH + 1];
    GetTempPathW(MAX_PATH, base);
    for (;;) {
        path_ = std::wstring(base) + L"qulie_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                std::to_wstring(counter++);
        if (CreateDirectoryW(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
}

TempDir::~TempDir() { RemoveTree(path_); }

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring child = path + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace testing_support
