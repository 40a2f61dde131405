#pragma once
// Whole-file reads and atomic whole-file writes: a rewrite goes to a temporary file beside the
// target and then replaces it, so a crash never leaves half a file.
#include <optional>
#include <string>
#include <string_view>

namespace win {

// The file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::wstring& path);

// Writes the bytes to a temporary file in the same folder and moves it over `path`.
bool WriteFileAtomic(const std::wstring& path, std::string_view bytes);

bool PathExists(const std::wstring& path);     // a file or a folder
bool IsDirectory(const std::wstring& path);

// The folder of the running .exe, without a trailing "\".
std::wstring ExeDirectory();

}  // namespace win
