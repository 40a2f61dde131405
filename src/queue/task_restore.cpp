#include "queue/task_restore.h"

#include "queue/download_list.h"
#include "regex/regex_matcher.h"

namespace queue {

std::vector<SavedTask> ReadSavedTasks(const std::wstring& text) {
    // Both groups are lazy and "." stops at a line feed: the name ends at the first "]地址[", the link
    // at the first "]" after it, and no record reaches into the next line.
    regex::RestoreRegexMatcher matcher;
    matcher.Match(L"歌名\\[(.*?)\\]地址\\[(.*?)\\]", text, /*caseSensitive=*/true, /*multiline=*/true,
                  /*global=*/true, /*quoteToken=*/false);
    std::vector<SavedTask> tasks;
    for (int i = 1, n = matcher.MatchCount(); i <= n; ++i)
        tasks.push_back({matcher.SubmatchText(i, 1), matcher.SubmatchText(i, 2)});
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
