#pragma once
// The download list: one row per task, six text columns. It is the queue's only in-memory store;
// the rows live in a win::TableModel that the window shows.
#include <cstdint>
#include <string>

#include "win/table_model.h"

namespace queue {

enum DownloadColumn : int {
    kNameColumn = 0,      // 文件名: file name with extension, no folder
    kTotalColumn = 1,     // 总大小: MB text
    kReceivedColumn = 2,  // 已下载: MB text
    kStateColumn = 3,     // 状态
    kLinkColumn = 4,      // 地址: direct download link
    kJobColumn = 5,       // 任务句柄: the job handle in decimal
    kDownloadColumnCount = 6,
};

constexpr wchar_t kStateWaiting[] = L"等待中";
constexpr wchar_t kStateDownloading[] = L"下载中";
constexpr wchar_t kStatePaused[] = L"已暂停";
constexpr wchar_t kStateDone[] = L"已下载";
// A task whose job could not start or failed; its record stays in the task file, so it comes back
// as waiting at the next start.
constexpr wchar_t kStateFailed[] = L"下载失败";

// Appends a waiting row for a task; returns its index.
int AppendWaitingRow(win::TableModel& list, const std::wstring& name, const std::wstring& link);

// Bytes as megabytes, rounded to two decimals (halves away from zero), without trailing zeros:
// 3670016 -> "3.5MB", 1048576 -> "1MB", 0 -> "0MB", 123456789 -> "117.74MB".
std::wstring MbText(std::int64_t bytes);

}  // namespace queue
