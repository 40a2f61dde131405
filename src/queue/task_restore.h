#pragma once
// Start-up restore of the saved queue: every record of the task file becomes a waiting row again.
#include <string>
#include <vector>

#include "win/table_model.h"

namespace queue {

struct SavedTask {
    std::wstring name, link;
};

// The records of a task file's text, in file order, read with the restore matcher. A record never spans
// a line; its name ends at the first "]地址[" and its link at the first "]" after that. Text outside
// records is ignored.
std::vector<SavedTask> ReadSavedTasks(const std::wstring& taskFileText);

// Appends one waiting row (name, link, empty sizes and handle) per record; returns how many. Writes
// nothing to the task file (the records are there already), starts nothing, shows nothing. The program
// runs it once at start-up, on a thread of its own, when the task file holds anything.
int RestoreTasks(const std::wstring& taskFileText, win::TableModel& downloadList);

}  // namespace queue
