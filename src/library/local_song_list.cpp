#include "library/local_song_list.h"

#include <windows.h>

namespace library {
namespace {

std::wstring WithBackslash(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    return folder;
}

// A name from the list that could point anywhere but at a file in the folder.
bool IsPlainFileName(const std::wstring& name) {
    return !name.empty() && name != L"." && name != L".." && name.find_first_of(L"\\/:") == std::wstring::npos;
}

}  // namespace

std::wstring FileClass(std::wstring_view fileName) {
    return fileName.ends_with(L"mkv") ? kClassVideo : kClassMusic;
}

std::vector<std::wstring> ListFolderFiles(const std::wstring& folder) {
    std::vector<std::wstring> names;
    if (folder.empty()) return names;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((WithBackslash(folder) + L"*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(entry.cFileName);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return names;
}

MusicMenuState MusicMenuEnabling(bool rowSelected) {
    return MusicMenuState{rowSelected, rowSelected, true, rowSelected, rowSelected};
}

LocalSongList::LocalSongList(win::TableModel& model, NoticeFn notice) : model_(model), notice_(std::move(notice)) {}

void LocalSongList::RefreshLocalList(const std::wstring& folder) {
    std::uint64_t generation = ++generation_;
    std::vector<std::wstring> names = ListFolderFiles(folder);
    std::lock_guard lock(fillMutex_);
    if (generation != generation_.load()) return;  // a newer refresh has begun; its rows win
    model_.Clear();
    for (size_t i = 0; i < names.size(); ++i)
        model_.AppendRow({std::to_wstring(i + 1), names[i], FileClass(names[i])});
}

void LocalSongList::StartRefresh(const std::wstring& folder) {
    threads_.Start([this, folder] { RefreshLocalList(folder); });
}

bool LocalSongList::RemoveRow(int row) { return model_.DeleteRow(row); }

bool LocalSongList::DeleteSong(const std::wstring& folder, int row) {
    std::wstring name = model_.Cell(row, kSongNameColumn);
    auto id = model_.IdOfRow(row);
    bool deleted = IsPlainFileName(name) && !folder.empty() && DeleteFileW((WithBackslash(folder) + name).c_str());
    if (deleted) {
        // A refresh may have moved the row meanwhile: remove it by identity.
        int now = model_.RowOfId(id);
        if (now >= 0) model_.DeleteRow(now);
    }
    if (notice_) notice_(deleted ? kNoticeDeleted : kNoticeDeleteFailed);
    return deleted;
}

}  // namespace library
