#pragma once
// The files of the download folder as a three-column list (序号, 歌曲名称, 类别), and the commands of
// its context menu that change it: 刷新列表, 移除 and 删除音乐. Window-free: the rows live in a
// win::TableModel the window shows, and notices go through a callback.
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "win/table_model.h"
#include "win/worker_threads.h"

namespace library {

enum LocalColumn : int {
    kNumberColumn = 0,    // 序号: the row's index + 1 when the refresh added it
    kSongNameColumn = 1,  // 歌曲名称: file name without folder
    kClassColumn = 2,     // 类别
    kLocalColumnCount = 3,
};

constexpr wchar_t kClassVideo[] = L"视频";
constexpr wchar_t kClassMusic[] = L"音乐";
constexpr wchar_t kNoticeDeleted[] = L"删除成功";
constexpr wchar_t kNoticeDeleteFailed[] = L"删除失败";

// "视频" when the name ends in exactly "mkv" (lower case, dot or not), else "音乐".
std::wstring FileClass(std::wstring_view fileName);

// Names of the files (not folders) in the folder, in the order the system lists them; empty when the
// folder is missing or cannot be listed.
std::vector<std::wstring> ListFolderFiles(const std::wstring& folder);

// Which entries of 音乐菜单 are enabled: everything but 刷新列表 needs a selected row.
struct MusicMenuState {
    bool play, stopPlay, refresh, remove, deleteSong;
};
MusicMenuState MusicMenuEnabling(bool rowSelected);

class LocalSongList {
public:
    using NoticeFn = std::function<void(const std::wstring&)>;

    // The model must outlive this object; `notice` shows a one-second title notice.
    LocalSongList(win::TableModel& model, NoticeFn notice);
    LocalSongList(const LocalSongList&) = delete;
    LocalSongList& operator=(const LocalSongList&) = delete;

    // Refills the list from `folder` on the calling thread (run it on a thread of its own). When refreshes
    // overlap the newest one wins: an older one that finishes listing later leaves the rows alone.
    void RefreshLocalList(const std::wstring& folder);
    // RefreshLocalList on a new thread; returns at once. Threads are joined when this object goes.
    void StartRefresh(const std::wstring& folder);

    // 移除: the row goes, the file stays. False when `row` is no row.
    bool RemoveRow(int row);
    // 删除音乐: deletes the row's file from `folder`; on success its row goes and "删除成功" shows, otherwise
    // "删除失败" shows and the row stays.
    bool DeleteSong(const std::wstring& folder, int row);

private:
    win::TableModel& model_;
    const NoticeFn notice_;
    std::atomic<std::uint64_t> generation_{0};  // bumped by each refresh as it begins, on its own thread
    std::mutex fillMutex_;  // held while a refresh replaces the rows, so two fills never mix
    win::WorkerThreads threads_;  // last member: joined before the rest goes
};

}  // namespace library
