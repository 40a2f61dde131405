#include "queue/download_list.h"

namespace queue {

int AppendWaitingRow(win::TableModel& list, const std::wstring& name, const std::wstring& link) {
    std::vector<std::wstring> cells(kDownloadColumnCount);
    cells[kNameColumn] = name;
    cells[kStateColumn] = kStateWaiting;
    cells[kLinkColumn] = link;
    return list.AppendRow(std::move(cells));
}

std::wstring MbText(std::int64_t bytes) {
    // Exact integer rounding: hundredths of a megabyte, halves away from zero.
    constexpr unsigned __int128 kMiB = 1048576;
    bool negative = bytes < 0;
    unsigned __int128 magnitude = negative ? -static_cast<unsigned __int128>(bytes) : bytes;
    unsigned __int128 hundredths = (magnitude * 100 + kMiB / 2) / kMiB;
    auto whole = static_cast<unsigned long long>(hundredths / 100);
    auto fraction = static_cast<unsigned>(hundredths % 100);
    std::wstring text = (negative && hundredths != 0 ? L"-" : L"") + std::to_wstring(whole);
    if (fraction != 0) {
        text += L'.';
        text += static_cast<wchar_t>(L'0' + fraction / 10);
        if (fraction % 10 != 0) text += static_cast<wchar_t>(L'0' + fraction % 10);
    }
    return text + L"MB";
}

}  // namespace queue
