#pragma once
// Finds the records of a JSON answer by their keys, whatever order the keys stand in. A record is an
// object that a caller's test accepts; objects nested inside a record (and records nested inside it)
// belong to it and neither end it early nor count as records of their own. Values are kept as the raw
// text between their quotes, escapes included, exactly as the fixed-order patterns would cut them.
#include <functional>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace search {

class JsonRecord {
public:
    // True when the object has the key among its own members, whatever the value (wanted keys only).
    bool Has(std::wstring_view key) const;
    // The raw text of the key's string value; "" when the key is missing or its value is not a string.
    std::wstring_view Text(std::wstring_view key) const;

    struct Member {
        std::wstring_view key;
        std::wstring_view text;  // raw string content; empty for other values
    };
    std::vector<Member> members;  // the wanted keys, in the order they stand; views into the scanned text
};

// Every object of `json` that `isRecord` accepts and that is not inside another accepted object, in
// the order they stand. Only the members named in `keys` are kept (and seen by `isRecord`). Text that
// is not well-formed JSON gives the records that closed properly; a truncated record is left out. The
// records point into `json`.
std::vector<JsonRecord> FindJsonRecords(std::wstring_view json, std::initializer_list<std::wstring_view> keys,
                                        const std::function<bool(const JsonRecord&)>& isRecord);

}  // namespace search
