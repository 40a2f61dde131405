#include "app/enqueue.h"

#include <vector>

#include "app/tick_commands.h"
#include "queue/safe_file_name.h"

namespace app {
namespace {

// Song list columns and MV list columns.
constexpr int kNameColumn = 0;
constexpr int kMvQualityColumn = 1;
constexpr int kMvHashColumn = 2;

// The task's file name: the row's name as it reads now plus the extension, made safe for Windows here
// so that the download list, the task file and the file on disk all show the same name.
std::wstring TaskFileName(const std::wstring& name, const std::wstring& extension) {
    return queue::MakeSafeFileName(name + extension);
}

// What one batch does with a row once its link has come: the extension to queue it with, or nothing
// to pass it over (after saying why).
using ExtensionRule = std::function<std::optional<std::wstring>(const std::vector<std::wstring>& row,
                                                                const std::wstring& link)>;

void RunBatch(const Enqueuer& enqueuer, const win::TableModel& list, int hashColumn, bool videoLinks,
              const ExtensionRule& extensionFor) {
    int queued = 0;
    for (int row = list.RowCount() - 1; row >= 0; --row) {
        if (enqueuer.stopping && enqueuer.stopping()) return;
        if (!list.Ticked(row)) continue;
        std::vector<std::wstring> cells = list.Row(row);
        if (cells.empty()) continue;  // the list was cleared meanwhile
        // Empty, or thirty-two zeros: the service has no file in this quality.
        if (!LosslessHashOffered(cells[hashColumn])) continue;
        std::wstring link = enqueuer.resolve(videoLinks, cells[hashColumn]);
        if (link.empty()) {
            enqueuer.notice(kNoticeBatchFailed);
            continue;
        }
        std::optional<std::wstring> extension = extensionFor(cells, link);
        if (!extension) continue;
        enqueuer.addTask(TaskFileName(cells[kNameColumn], *extension), link);
        enqueuer.notice(BatchQueuedNotice(++queued));
    }
}

}  // namespace

QualityTraits TraitsOf(Quality quality) {
    switch (quality) {
        case Quality::Standard: return {1, false, L".mp3"};
        case Quality::High: return {2, false, L".mp3"};
        case Quality::Lossless: return {3, false, L".flac"};
        case Quality::Mv: return {4, true, L".mkv"};
    }
    return {1, false, L".mp3"};
}

std::optional<Quality> QualityOfIndex(int index) {
    switch (index) {
        case 0: return Quality::Standard;
        case 1: return Quality::High;
        case 2: return Quality::Lossless;
        case 3: return Quality::Mv;
        default: return std::nullopt;
    }
}

std::wstring BatchQueuedNotice(int count) { return L"已加入" + std::to_wstring(count) + L"个"; }

bool EnqueueOne(const Enqueuer& enqueuer, const std::wstring& name, const std::wstring& extension, bool videoLink,
                const std::wstring& hash) {
    std::wstring link = enqueuer.resolve(videoLink, hash);
    if (link.empty()) {
        enqueuer.notice(kNoticeNoLink);
        return false;
    }
    enqueuer.addTask(TaskFileName(name, extension), link);
    enqueuer.notice(kNoticeQueued);
    return true;
}

void EnqueueSongBatch(const Enqueuer& enqueuer, const win::TableModel& songs, Quality quality) {
    QualityTraits traits = TraitsOf(quality);
    std::wstring extension = traits.extension;
    RunBatch(enqueuer, songs, traits.songColumn, traits.videoLink,
             [&](const std::vector<std::wstring>&, const std::wstring&) { return std::optional(extension); });
}

void EnqueueMvBatch(const Enqueuer& enqueuer, const win::TableModel& mvs, bool skipStandard) {
    RunBatch(enqueuer, mvs, kMvHashColumn, true,
             [&](const std::vector<std::wstring>& row, const std::wstring& link) -> std::optional<std::wstring> {
                 if (skipStandard && row[kMvQualityColumn] == kStandardDefinition) {
                     enqueuer.notice(kNoticeSkippedStandardMv);
                     return std::nullopt;
                 }
                 return link.substr(link.size() < 4 ? 0 : link.size() - 4);
             });
}

}  // namespace app
