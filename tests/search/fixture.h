#pragma once
// The search-answer fixtures copied beside the test program (made by fixtures/make_fixtures.py).
#include <string>
#include <vector>

namespace search_fixtures {

// The file's text, decoded from UTF-8; "" when it is missing (the test then fails on its contents).
std::wstring Read(const std::wstring& name);

// The tab-separated cells of every line of a .tsv fixture.
std::vector<std::vector<std::wstring>> ReadTable(const std::wstring& name);

}  // namespace search_fixtures
