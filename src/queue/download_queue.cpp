#include "queue/download_queue.h"

#include <windows.h>

#include <algorithm>

#include "queue/download_list.h"
#include "queue/safe_file_name.h"

namespace queue {

// Reports hold the gate shared while they run; the destructor closes it exclusively, so a report
// either finishes before the queue goes or sees it closed and does nothing.
struct DownloadQueue::ReportGate {
    std::shared_mutex mutex;
    bool open = true;  // written by the destructor; guarded by mutex
};

DownloadQueue::DownloadQueue(win::TableModel& downloadList, TaskFile& taskFile, DownloadEngine& engine,
                             QueueUi& ui)
    : list_(downloadList), taskFile_(taskFile), engine_(engine), ui_(ui), gate_(std::make_shared<ReportGate>()) {}

DownloadQueue::~DownloadQueue() {
    {
        std::unique_lock lock(gate_->mutex);
        gate_->open = false;
    }
    threads_.JoinAll();
}

void DownloadQueue::SetDownloadFolder(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    std::lock_guard lock(mutex_);
    downloadFolder_ = std::move(folder);
}

std::wstring DownloadQueue::DownloadFolder() const {
    std::lock_guard lock(mutex_);
    return downloadFolder_;
}

bool DownloadQueue::Downloading() const {
    std::lock_guard lock(mutex_);
    return downloading_;
}

bool DownloadQueue::Paused() const {
    std::lock_guard lock(mutex_);
    return paused_;
}

downloader::JobHandle DownloadQueue::CurrentJob() const {
    std::lock_guard lock(mutex_);
    return currentJob_;
}

int DownloadQueue::CurrentRow() const {
    std::lock_guard lock(mutex_);
    return list_.RowOfId(currentRowId_);
}

int DownloadQueue::FindWaitingRow() {
    std::lock_guard lock(mutex_);
    return FindWaitingRowLocked();
}

int DownloadQueue::FindWaitingRowLocked() {
    auto rows = list_.Take().cells;
    for (int r = static_cast<int>(rows.size()) - 1; r >= 0; --r)
        if (rows[r][kStateColumn] == kStateWaiting) lastWaitingRow_ = r;
    return rows.empty() ? 0 : lastWaitingRow_;
}

void DownloadQueue::AddTask(const std::wstring& name, const std::wstring& link) {
    AppendWaitingRow(list_, name, link);
    taskFile_.AppendTask(name, link);
    if (!Downloading()) StartRunNextTask();
}

void DownloadQueue::StartRunNextTask() {
    threads_.Start([this] { RunNextTask(); });
}

std::wstring DownloadQueue::TargetPath(const std::wstring& folder, const std::wstring& name) const {
    // Keep the whole path within MAX_PATH, which the engine's file calls need.
    size_t room = folder.size() + 1 < MAX_PATH ? MAX_PATH - 1 - folder.size() : 0;
    return folder + MakeSafeFileName(name, std::min(room, kMaxFileNameLength));
}

void DownloadQueue::RunNextTask() {
    std::uint64_t token;
    RowId rowId;
    std::wstring url, path;
    {
        // Testing the flags and claiming the row are one step, so two runners started close together
        // never start two tasks.
        std::lock_guard lock(mutex_);
        if (downloading_ || paused_) return;
        int r = FindWaitingRowLocked();
        auto row = list_.Row(r);
        if (row.empty() || row[kStateColumn] != kStateWaiting) return;  // nothing waits
        downloading_ = true;
        starting_ = true;
        jobEnded_ = false;
        rowId = currentRowId_ = list_.IdOfRow(r);
        token = ++jobToken_;
        url = row[kLinkColumn];
        path = TargetPath(downloadFolder_, row[kNameColumn]);
    }
    downloader::JobHandle job = engine_.Start(url, path, kConnectionsPerTask, MakeReport(token, rowId));
    bool pauseNow = false;
    {
        std::lock_guard control(controlMutex_);
        {
            std::lock_guard lock(mutex_);
            starting_ = false;
            currentJob_ = job;
            // A pause that came while the job was starting could not reach it; it does now.
            pauseNow = job != downloader::kNoJob && paused_ && !jobEnded_;
        }
        if (pauseNow) engine_.SetControl(job, downloader::kPaused);
    }
    if (job == downloader::kNoJob) OnJobEnd(token, rowId, false);
}

downloader::ReportRoutine DownloadQueue::MakeReport(std::uint64_t token, RowId row) {
    return [this, gate = gate_, token, row](int code, std::int64_t first, std::int64_t second) {
        std::shared_lock lock(gate->mutex);
        if (!gate->open) return;
        try {
            OnDownloadReport(token, row, code, first, second);
        } catch (...) {
            // A report runs on the engine's threads: nothing may escape into them.
        }
    };
}

void DownloadQueue::OnDownloadReport(std::uint64_t token, RowId row, int code, std::int64_t first,
                                     std::int64_t second) {
    if (code == downloader::kProgress)
        OnProgress(token, row, first, second);
    else if (code == downloader::kFinished)
        OnJobEnd(token, row, true);
    else if (code == downloader::kFailedReport)
        OnJobEnd(token, row, false);
}

void DownloadQueue::OnProgress(std::uint64_t token, RowId rowId, std::int64_t length, std::int64_t received) {
    // Runs under the job's lock: only model changes, nothing that waits for another thread.
    std::lock_guard lock(mutex_);
    if (token != jobToken_ || jobEnded_) return;
    int r = list_.RowOfId(rowId);
    if (r < 0) return;  // the row was cleared away
    list_.SetCell(r, kTotalColumn, MbText(length));
    list_.SetCell(r, kReceivedColumn, MbText(received));
    list_.SetCell(r, kStateColumn, downloading_ ? kStateDownloading : kStateWaiting);
    if (!starting_) list_.SetCell(r, kJobColumn, std::to_wstring(currentJob_));
}

void DownloadQueue::OnJobEnd(std::uint64_t token, RowId rowId, bool finished) {
    std::wstring name;
    {
        std::lock_guard lock(mutex_);
        if (token == jobToken_ && !jobEnded_) {
            jobEnded_ = true;
            downloading_ = false;
        }
        int r = list_.RowOfId(rowId);
        if (r >= 0) {
            list_.SetCell(r, kStateColumn, finished ? kStateDone : kStateFailed);
            if (finished) name = list_.Cell(r, kNameColumn);
        }
    }
    if (finished) {
        ui_.RefreshLocalList();
        taskFile_.DropTask(name);  // a failed task keeps its record and comes back at the next start
    }
    StartNextIfWaiting();
    if (!finished) ui_.FailureBox();
}

void DownloadQueue::StartNextIfWaiting() {
    int r = FindWaitingRow();
    if (list_.Cell(r, kStateColumn) == kStateWaiting) StartRunNextTask();
}

void DownloadQueue::SetStateLocked(RowId rowId, const wchar_t* state) {
    int r = list_.RowOfId(rowId);
    if (r >= 0) list_.SetCell(r, kStateColumn, state);
}

void DownloadQueue::PauseDownload() {
    {
        std::lock_guard control(controlMutex_);
        downloader::JobHandle job;
        bool live;
        {
            std::lock_guard lock(mutex_);
            if (!downloading_) return;
            paused_ = true;
            downloading_ = false;
            job = currentJob_;
            live = !starting_ && !jobEnded_;  // while starting, RunNextTask pauses the job once it has it
            SetStateLocked(currentRowId_, kStatePaused);
        }
        if (live) engine_.SetControl(job, downloader::kPaused);
    }
    ui_.Notice(kNoticePaused);
}

void DownloadQueue::ResumeDownload() {
    bool resumed = false;
    bool runNext = false;
    {
        std::lock_guard control(controlMutex_);
        downloader::JobHandle job;
        std::uint64_t token;
        {
            std::lock_guard lock(mutex_);
            if (downloading_) return;
            if (jobEnded_ && !starting_) {
                // No job to wake (none started yet, or it ended, failed or vanished while paused):
                // run the queue instead. A paused row whose job is gone waits to be fetched again.
                paused_ = false;
                int r = list_.RowOfId(currentRowId_);
                if (r >= 0 && list_.Cell(r, kStateColumn) == kStatePaused)
                    list_.SetCell(r, kStateColumn, kStateWaiting);
                runNext = true;
            } else {
                paused_ = false;
                downloading_ = true;
                job = currentJob_;
                token = jobToken_;
                if (starting_) {
                    SetStateLocked(currentRowId_, kStateDownloading);
                    resumed = true;
                }
            }
        }
        if (!runNext && !resumed) {
            bool alive = engine_.SetControl(job, downloader::kRun);
            std::lock_guard lock(mutex_);
            if (token == jobToken_ && !jobEnded_) {
                if (alive) {
                    SetStateLocked(currentRowId_, kStateDownloading);
                    resumed = true;
                } else {
                    // The job ended during the pause without telling us: fetch its task again.
                    jobEnded_ = true;
                    downloading_ = false;
                    SetStateLocked(currentRowId_, kStateWaiting);
                    runNext = true;
                }
            }
        }
    }
    if (runNext) StartRunNextTask();
    if (resumed) ui_.Notice(kNoticeResumed);
}

bool DownloadQueue::RemoveTask(int row) {
    std::wstring name;
    bool refused;
    {
        // Under the queue's lock, so a runner cannot claim the row while it goes.
        std::lock_guard lock(mutex_);
        refused = downloading_;
        if (!refused) {
            if (row < 0 || row >= list_.RowCount()) return false;
            name = list_.Cell(row, kNameColumn);
            list_.DeleteRow(row);
        }
    }
    if (refused) {
        ui_.Notice(kNoticeRefused);
        return false;
    }
    taskFile_.DropTask(name);
    return true;
}

void DownloadQueue::ClearTasks() {
    std::vector<RowId> ids;
    for (int r = 0, n = list_.RowCount(); r < n; ++r) ids.push_back(list_.IdOfRow(r));
    for (RowId id : ids) {
        int r = list_.RowOfId(id);
        if (r < 0) continue;
        std::wstring name = list_.Cell(r, kNameColumn);
        list_.DeleteRow(r);
        taskFile_.DropTask(name);
    }
}

bool DownloadQueue::ResumeEntryEnabled() {
    int r = FindWaitingRow();
    return list_.Cell(r, kStateColumn) != kStateDone;
}

}  // namespace queue
