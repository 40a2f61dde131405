#pragma once
// Turning result rows into queued tasks: pick the hash of the wanted quality, ask the link resolver,
// queue the task under a Windows-safe file name, and tell the user. Window-free: the window hands in
// what it read from its controls, and the rest of the program comes in through Enqueuer.
#include <functional>
#include <optional>
#include <string>

#include "win/table_model.h"

namespace app {

enum class Quality { Standard, High, Lossless, Mv };  // 标准, 高音质, 无损, 音乐MV

struct QualityTraits {
    int songColumn;  // the SongResultList column that holds the quality's hash
    bool videoLink;  // resolved as a video (i=mkv) rather than a song (i=mp3)
    const wchar_t* extension;
};
QualityTraits TraitsOf(Quality quality);
// The quality of a 组合框1 index (标准, 高音质, 无损, 音乐MV); nothing for any other index.
std::optional<Quality> QualityOfIndex(int index);

inline constexpr wchar_t kNoticeQueued[] = L"已加入下载列表";
inline constexpr wchar_t kNoticeNoLink[] = L"下载地址为空";
inline constexpr wchar_t kNoticeBatchFailed[] = L"加入失败";
inline constexpr wchar_t kNoticeSkippedStandardMv[] = L"已过滤标清MV";
inline constexpr wchar_t kStandardDefinition[] = L"标清";
std::wstring BatchQueuedNotice(int count);  // "已加入" + count + "个"

// What enqueueing uses of the rest of the program. All of them may be called on any thread.
struct Enqueuer {
    // The direct link for a hash (a video's when `video`), "" when there is none.
    std::function<std::wstring(bool video, const std::wstring& hash)> resolve;
    // Appends the waiting task to the download list and the task file; starts the queue when idle.
    std::function<void(const std::wstring& fileName, const std::wstring& link)> addTask;
    std::function<void(const std::wstring& text)> notice;
    // A batch ends early once this says so (the program is closing). May be empty.
    std::function<bool()> stopping;
};

// One song or video: 下载[…] of 列表菜单 and 下载 of 视频下载. False (after "下载地址为空") when no link came.
bool EnqueueOne(const Enqueuer& enqueuer, const std::wstring& name, const std::wstring& extension, bool videoLink,
                const std::wstring& hash);

// The batches walk the ticked rows from the last to the first. Rows without a hash in the wanted
// quality are passed over silently; a row whose link does not come is passed over with "加入失败".
void EnqueueSongBatch(const Enqueuer& enqueuer, const win::TableModel& songs, Quality quality);
// A video's extension is the last four characters of its link. With `skipStandard`, a 标清 video is passed
// over with "已过滤标清MV" once its link has come.
void EnqueueMvBatch(const Enqueuer& enqueuer, const win::TableModel& mvs, bool skipStandard);

}  // namespace app
