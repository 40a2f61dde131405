#include "win/file_io.h"

#include <windows.h>

#include <algorithm>

#include "win/handle.h"

namespace win {

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7fffffff) return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD total = 0;
    while (total < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + total, static_cast<DWORD>(bytes.size() - total), &got, nullptr))
            return std::nullopt;
        if (got == 0) break;
        total += got;
    }
    bytes.resize(total);
    return bytes;
}

bool WriteFileAtomic(const std::wstring& path, std::string_view bytes) {
    std::wstring temp = path + L".tmp" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                        std::to_wstring(GetCurrentThreadId());
    {
        UniqueFile file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
        if (!file) return false;
        size_t done = 0;
        while (done < bytes.size()) {
            DWORD wrote = 0;
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
            if (!WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) {
                file.reset();
                DeleteFileW(temp.c_str());
                return false;
            }
            done += wrote;
        }
        FlushFileBuffers(file.get());
    }
    if (!MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsDirectory(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ExeDirectory() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return L".";
        if (n < buf.size()) {
            buf.resize(n);
            break;
        }
        buf.resize(buf.size() * 2);
    }
    size_t slash = buf.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : buf.substr(0, slash);
}

}  // namespace win
