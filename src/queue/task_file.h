#pragma once
// "下载任务.txt": one record "歌名[name]地址[link]" per task that has not finished, CR LF between
// records and none after the last. The file is code page 936 while every character fits; a record
// that code page 936 cannot hold switches the whole file to UTF-8 with a byte-order mark, and the
// reader accepts both, so a Korean title survives a restart instead of turning into "?".
#include <mutex>
#include <string>
#include <string_view>

namespace queue {

constexpr wchar_t kTaskFileName[] = L"下载任务.txt";

// Bytes of the file for a text, and the text of the file's bytes.
std::string EncodeTaskText(std::wstring_view text);
std::wstring DecodeTaskText(std::string_view bytes);

// The record for one task, exactly as the file holds it.
std::wstring TaskRecord(std::wstring_view name, std::wstring_view link);

class TaskFile {
public:
    explicit TaskFile(std::wstring path);
    TaskFile(const TaskFile&) = delete;
    TaskFile& operator=(const TaskFile&) = delete;

    // The run directory's task file.
    static std::wstring DefaultPath();
    const std::wstring& Path() const { return path_; }

    // Adds the record after the existing text (after a CR LF when the file exists, even empty).
    // False when the file exists but cannot be read, or cannot be written.
    bool AppendTask(const std::wstring& name, const std::wstring& link);

    // Removes the first record whose name field is exactly `name` and rewrites the file (a missing
    // file becomes an empty one). An empty name changes nothing.
    bool DropTask(const std::wstring& name);

    // The whole text, "" when the file is missing or unreadable.
    std::wstring ReadText() const;

private:
    const std::wstring path_;
    // Held for each whole read-change-write, so concurrent appends and drops never undo each other.
    mutable std::mutex mutex_;
};

}  // namespace queue
