#include "queue/task_restore.h"

#include "queue/download_list.h"

namespace queue {

std::vector<SavedTask> ReadSavedTasks(const std::wstring& text) {
    // Reads what the pattern 歌名\[(.*?)\]地址\[(.*?)\] finds with "." stopping at line feeds.
    static constexpr std::wstring_view kStart = L"歌名[", kMiddle = L"]地址[";
    std::vector<SavedTask> tasks;
    size_t from = 0;
    while ((from = text.find(kStart, from)) != std::wstring::npos) {
        size_t lineEnd = std::min(text.find(L'\n', from), text.size());
        size_t nameStart = from + kStart.size();
        size_t middle = text.find(kMiddle, nameStart);
        size_t linkStart = middle + kMiddle.size();
        size_t close = middle == std::wstring::npos ? std::wstring::npos : text.find(L']', linkStart);
        if (close == std::wstring::npos || close >= lineEnd) {
            from += 1;  // no record starts here; one may start further on
            continue;
        }
        tasks.push_back({text.substr(nameStart, middle - nameStart), text.substr(linkStart, close - linkStart)});
        from = close + 1;
    }
    return tasks;
}

int RestoreTasks(const std::wstring& taskFileText, win::TableModel& downloadList) {
    int restored = 0;
    for (const auto& task : ReadSavedTasks(taskFileText)) {
        AppendWaitingRow(downloadList, task.name, task.link);
        ++restored;
    }
    return restored;
}

}  // namespace queue
