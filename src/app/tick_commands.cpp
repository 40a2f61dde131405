#include "app/tick_commands.h"

namespace app {
namespace {

template <typename NewTick>
void EachRowFromLast(win::TableModel& list, NewTick newTick) {
    for (int row = list.RowCount() - 1; row >= 0; --row) list.SetTicked(row, newTick(list.Ticked(row)));
}

}  // namespace

void TickAll(win::TableModel& list) {
    EachRowFromLast(list, [](bool) { return true; });
}
void InvertTicks(win::TableModel& list) {
    EachRowFromLast(list, [](bool ticked) { return !ticked; });
}
void UntickAll(win::TableModel& list) {
    EachRowFromLast(list, [](bool) { return false; });
}

bool HashOffered(const std::wstring& hash) { return !hash.empty(); }
bool LosslessHashOffered(const std::wstring& hash) {
    return HashOffered(hash) && hash != std::wstring(32, L'0');
}

}  // namespace app
