#include "queue/task_file.h"

#include <vector>

#include "win/file_io.h"
#include "win/text.h"

namespace queue {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::wstring_view kLineBreak = L"\r\n";

// Lines of the text split at every CR LF; a CR LF at the very end adds no empty line, and an empty
// text has no lines.
std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(kLineBreak, start);
        if (end == std::wstring::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + kLineBreak.size();
    }
    return lines;
}

std::wstring JoinLines(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += kLineBreak;
        text += lines[i];
    }
    return text;
}

// Whether the line holds the record of `name`: the name must fill the whole name field, so a name
// that is only the tail of a longer one, or that appears in a link, never matches.
bool LineHoldsName(const std::wstring& line, const std::wstring& name) {
    return line.find(L"歌名[" + name + L"]地址[") != std::wstring::npos;
}

}  // namespace

std::string EncodeTaskText(std::wstring_view text) {
    if (win::FitsCp936(text)) return win::WideToCp936(text);
    return std::string(kUtf8Bom) + win::WideToUtf8(text);
}

std::wstring DecodeTaskText(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) return win::Utf8ToWide(bytes.substr(kUtf8Bom.size()));
    return win::Cp936ToWide(bytes);
}

std::wstring TaskRecord(std::wstring_view name, std::wstring_view link) {
    std::wstring record = L"歌名[";
    record += name;
    record += L"]地址[";
    record += link;
    record += L"]";
    return record;
}

TaskFile::TaskFile(std::wstring path) : path_(std::move(path)) {}

std::wstring TaskFile::DefaultPath() { return win::ExeDirectory() + L"\\" + kTaskFileName; }

bool TaskFile::AppendTask(const std::wstring& name, const std::wstring& link) {
    std::lock_guard lock(mutex_);
    std::wstring text;
    if (win::PathExists(path_)) {
        auto bytes = win::ReadWholeFile(path_);
        if (!bytes) return false;  // rewriting what we could not read would lose every other task
        text = DecodeTaskText(*bytes) + std::wstring(kLineBreak);
    }
    text += TaskRecord(name, link);
    return win::WriteFileAtomic(path_, EncodeTaskText(text));
}

bool TaskFile::DropTask(const std::wstring& name) {
    if (name.empty()) return true;
    std::lock_guard lock(mutex_);
    std::wstring text;
    if (win::PathExists(path_)) {
        auto bytes = win::ReadWholeFile(path_);
        if (!bytes) return false;
        text = DecodeTaskText(*bytes);
    }
    auto lines = SplitLines(text);
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        if (LineHoldsName(*it, name)) {
            lines.erase(it);
            break;
        }
    }
    return win::WriteFileAtomic(path_, EncodeTaskText(JoinLines(lines)));
}

std::wstring TaskFile::ReadText() const {
    std::lock_guard lock(mutex_);
    auto bytes = win::ReadWholeFile(path_);
    return bytes ? DecodeTaskText(*bytes) : std::wstring();
}

}  // namespace queue
