#pragma once
// Runs the download list one task at a time: picks the topmost waiting row, starts a job for it,
// writes the job's progress into the row, and moves on when the job ends, however it ends.
// Window-free: the window shows the list model, calls the commands, and implements QueueUi.
// Progress reports change the model from the engine's threads while the job's lock is held, so the
// model's change callback must never wait for the window thread (post, or mark dirty for a timer).
#include <cstdint>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>

#include "queue/download_engine.h"
#include "queue/queue_ui.h"
#include "queue/task_file.h"
#include "win/worker_threads.h"
#include "win/table_model.h"

namespace queue {

// currentJob before the first start.
constexpr downloader::JobHandle kNeverStarted = 1;
// Each task is fetched over this many connections.
constexpr int kConnectionsPerTask = 2;

class DownloadQueue {
public:
    // All four must outlive the queue. The destructor stops taking reports and joins the queue's threads.
    DownloadQueue(win::TableModel& downloadList, TaskFile& taskFile, DownloadEngine& engine, QueueUi& ui);
    ~DownloadQueue();
    DownloadQueue(const DownloadQueue&) = delete;
    DownloadQueue& operator=(const DownloadQueue&) = delete;

    // The folder the files go to; a missing trailing "\" is added.
    void SetDownloadFolder(std::wstring folder);
    std::wstring DownloadFolder() const;

    bool Downloading() const;  // a task is being started or downloaded (the close question asks then)
    bool Paused() const;
    downloader::JobHandle CurrentJob() const;  // kNeverStarted, kNoJob after a failed start, or a handle
    int CurrentRow() const;                    // row of the last started task, -1 when that row is gone

    // The topmost row reading "等待中"; when none waits, the row found last time (0 at first).
    int FindWaitingRow();

    // Appends a waiting row and its record, and starts the queue when nothing downloads.
    void AddTask(const std::wstring& name, const std::wstring& link);

    // Starts the topmost waiting row unless a task is downloading or the queue is paused. Blocks while the
    // job starts: call it on a thread of its own, or use StartRunNextTask.
    void RunNextTask();
    void StartRunNextTask();

    // 暂停下载 / 继续下载. Safe whatever state the current job is in.
    void PauseDownload();
    void ResumeDownload();

    // 移除任务: refused with a notice while downloading; false when refused or `row` is no row.
    bool RemoveTask(int row);
    // 清空任务: every row and its record go; a running job goes on, and its reports change nothing.
    void ClearTasks();

    // Right-click rule of the download list: 继续下载 is greyed when the row FindWaitingRow yields reads
    // "已下载"; every other entry is always enabled.
    bool ResumeEntryEnabled();

private:
    using RowId = win::TableModel::RowId;
    struct ReportGate;

    int FindWaitingRowLocked();
    downloader::ReportRoutine MakeReport(std::uint64_t token, RowId row);
    void OnDownloadReport(std::uint64_t token, RowId row, int code, std::int64_t first, std::int64_t second);
    void OnProgress(std::uint64_t token, RowId row, std::int64_t length, std::int64_t received);
    void OnJobEnd(std::uint64_t token, RowId row, bool finished);
    void SetStateLocked(RowId row, const wchar_t* state);
    void StartNextIfWaiting();
    std::wstring TargetPath(const std::wstring& folder, const std::wstring& name) const;

    win::TableModel& list_;
    TaskFile& taskFile_;
    DownloadEngine& engine_;
    QueueUi& ui_;

    // Serialises pause, resume and the end of a start, so the control word the job ends up with is the one
    // the queue's flags say. Never held by a report; taken before mutex_, never while holding it.
    std::mutex controlMutex_;

    // Guards every field below. Written by the window thread (commands), the runner threads and the engine's
    // threads (reports); held only for short steps, never across an engine or QueueUi call.
    mutable std::mutex mutex_;
    bool downloading_ = false;                    // guarded by mutex_
    bool paused_ = false;                         // guarded by mutex_
    bool starting_ = false;                       // the engine's Start has not returned yet; guarded by mutex_
    bool jobEnded_ = true;                        // the current job reported its end or never ran; by mutex_
    downloader::JobHandle currentJob_ = kNeverStarted;  // guarded by mutex_
    RowId currentRowId_ = 0;                      // row of the current job (0: none); guarded by mutex_
    std::uint64_t jobToken_ = 0;                  // counts starts, tells a report whose job it is; by mutex_
    int lastWaitingRow_ = 0;                      // guarded by mutex_
    std::wstring downloadFolder_;                 // guarded by mutex_

    std::shared_ptr<ReportGate> gate_;  // lets reports that arrive after the queue is gone do nothing
    win::WorkerThreads threads_;             // runner threads; joined first thing in the destructor
};

}  // namespace queue
