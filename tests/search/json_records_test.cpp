#include "search/json_records.h"

#include <gtest/gtest.h>

using search::FindJsonRecords;
using search::JsonRecord;

namespace {

bool HasId(const JsonRecord& r) {
    return r.Has(L"id");
}

std::vector<JsonRecord> Find(std::wstring_view json) {
    return FindJsonRecords(json, {L"id", L"s", L"n", L"a"}, HasId);
}

}  // namespace

TEST(JsonRecords, NestedObjectsAndStringsWithBracesStayInsideTheRecord) {
    auto records = Find(LR"({"list":[{"n":{"a":"}"},"id":"1","s":"x\"}{\\","grp":[{"id":"inner"}],"t":"-"},)"
                        LR"( {"id":"2","n":null}]})");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Text(L"id"), L"1");
    EXPECT_EQ(records[0].Text(L"s"), LR"(x\"}{\\)");  // raw, escapes kept
    EXPECT_TRUE(records[0].Has(L"n"));
    EXPECT_EQ(records[0].Text(L"n"), L"");  // not a string
    EXPECT_FALSE(records[0].Has(L"a"));     // a member of the nested object, not of the record
    EXPECT_FALSE(records[0].Has(L"t"));     // not asked for
    EXPECT_EQ(records[1].Text(L"id"), L"2");
    EXPECT_TRUE(records[1].Has(L"n"));
}

TEST(JsonRecords, BrokenTextGivesOnlyTheRecordsThatClosed) {
    struct {
        const wchar_t* text;
        size_t records;
    } cases[] = {
        {L"", 0},
        {L"<html>502 Bad Gateway</html>", 0},
        {LR"({"id":"1"}]]}}{"id":"2"})", 2},
        {LR"([{"id":"1"},{"id":"2","x":"unterminated)", 1},
        {LR"({"a":{"id":)", 0},
        {L"{{{{[[[[\"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(Find(c.text).size(), c.records) << c.text;
}
