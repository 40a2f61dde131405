#pragma once
// The one rule that turns a task's file name into a name Windows can hold inside the download folder.
// Enqueueing and the queue runner both go through it, so a name is made safe the same way everywhere.
#include <string>
#include <string_view>

namespace queue {

// Longest file name component NTFS accepts.
constexpr size_t kMaxFileNameLength = 255;

// Returns a plain file name (never a path, never empty) that stays inside its folder:
// - the reserved characters < > : " / \ | ? * and control characters become "_";
// - trailing dots and blanks go (so "." and ".." cannot name a folder);
// - a reserved device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension) gets a "_" in front;
// - a name longer than `maxLength` is cut, keeping a short extension.
// Applying it to its own result changes nothing.
std::wstring MakeSafeFileName(std::wstring_view name, size_t maxLength = kMaxFileNameLength);

}  // namespace queue
