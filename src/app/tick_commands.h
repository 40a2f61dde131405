#pragma once
// 全选, 反选 and 取消 of a result list. Each walks the rows from the last to the first; an empty list
// is left alone.
#include "win/table_model.h"

namespace app {

void TickAll(win::TableModel& list);
void InvertTicks(win::TableModel& list);
void UntickAll(win::TableModel& list);

// Whether a hash column offers its quality in 列表菜单: the lossless column also counts thirty-two
// zeros as "not offered".
bool HashOffered(const std::wstring& hash);
bool LosslessHashOffered(const std::wstring& hash);

}  // namespace app
