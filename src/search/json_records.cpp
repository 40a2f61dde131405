#include "search/json_records.h"

namespace search {
namespace {

struct Container {
    bool object = false;
    bool expectingKey = false;  // objects only: the next string is a key
    bool haveKey = false;
    std::wstring_view key;
    JsonRecord record;
    size_t firstFoundInside = 0;  // records found before this container opened
};

bool IsScalarEnd(wchar_t c) {
    return c == L',' || c == L'}' || c == L']' || c == L':' || c == L'"' || c == L'{' || c == L'[' || c == L' ' ||
           c == L'\t' || c == L'\r' || c == L'\n';
}

}  // namespace

bool JsonRecord::Has(std::wstring_view key) const {
    for (const Member& m : members)
        if (m.key == key) return true;
    return false;
}

std::wstring_view JsonRecord::Text(std::wstring_view key) const {
    for (const Member& m : members)
        if (m.key == key) return m.text;
    return {};
}

std::vector<JsonRecord> FindJsonRecords(std::wstring_view json, std::initializer_list<std::wstring_view> keys,
                                        const std::function<bool(const JsonRecord&)>& isRecord) {
    std::vector<JsonRecord> found;
    std::vector<Container> open;
    auto wanted = [&](std::wstring_view key) {
        for (std::wstring_view k : keys)
            if (k == key) return true;
        return false;
    };
    // A value (string or not) has arrived in the innermost container.
    auto takeValue = [&](std::wstring_view text) {
        if (open.empty() || !open.back().object || !open.back().haveKey) return;
        if (wanted(open.back().key)) open.back().record.members.push_back({open.back().key, text});
        open.back().haveKey = false;
    };
    size_t i = 0;
    const size_t n = json.size();
    while (i < n) {
        wchar_t c = json[i];
        if (c == L'"') {
            size_t start = ++i;
            while (i < n && json[i] != L'"') i += json[i] == L'\\' ? 2 : 1;
            std::wstring_view text = json.substr(start, (i < n ? i : n) - start);
            ++i;
            if (!open.empty() && open.back().object && open.back().expectingKey) {
                open.back().key = text;
                open.back().haveKey = true;
                open.back().expectingKey = false;
            } else {
                takeValue(text);
            }
        } else if (c == L'{' || c == L'[') {
            Container next;
            next.object = c == L'{';
            next.expectingKey = next.object;
            next.firstFoundInside = found.size();
            open.push_back(std::move(next));
            ++i;
        } else if (c == L'}' || c == L']') {
            ++i;
            if (open.empty()) continue;
            Container closed = std::move(open.back());
            open.pop_back();
            takeValue({});
            if (closed.object && isRecord(closed.record)) {
                found.resize(closed.firstFoundInside);  // whatever lay inside is part of this record
                found.push_back(std::move(closed.record));
            }
        } else if (c == L',') {
            ++i;
            if (!open.empty() && open.back().object) {
                open.back().expectingKey = true;
                open.back().haveKey = false;
            }
        } else if (c == L':' || c == L' ' || c == L'\t' || c == L'\r' || c == L'\n') {
            ++i;
        } else {
            while (i < n && !IsScalarEnd(json[i])) ++i;  // a number, true, false, null
            takeValue({});
        }
    }
    return found;
}

}  // namespace search
