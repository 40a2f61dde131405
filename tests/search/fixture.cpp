#include "fixture.h"

#include "win/file_io.h"
#include "win/text.h"

namespace search_fixtures {

std::wstring Read(const std::wstring& name) {
    auto bytes = win::ReadWholeFile(win::ExeDirectory() + L"\\fixtures\\" + name);
    return bytes ? win::Utf8ToWide(*bytes) : std::wstring();
}

std::vector<std::vector<std::wstring>> ReadTable(const std::wstring& name) {
    std::vector<std::vector<std::wstring>> rows;
    std::wstring text = Read(name);
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find(L'\n', from);
        if (end == std::wstring::npos) end = text.size();
        std::vector<std::wstring> cells;
        size_t cell = from;
        for (size_t tab; (tab = text.find(L'\t', cell)) < end; cell = tab + 1)
            cells.push_back(text.substr(cell, tab - cell));
        cells.push_back(text.substr(cell, end - cell));
        rows.push_back(std::move(cells));
        from = end + 1;
    }
    return rows;
}

}  // namespace search_fixtures
