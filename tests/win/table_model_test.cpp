#include "win/table_model.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using win::TableModel;

TEST(TableModel, RowsBehaveLikeAListView) {
    TableModel m(3, true);
    int changes = 0;
    m.SetOnChange([&] { ++changes; });
    EXPECT_EQ(m.AppendRow({L"a", L"1"}), 0);
    EXPECT_EQ(m.AppendRow({L"b", L"2", L"x", L"dropped"}), 1);
    EXPECT_EQ(m.AppendRow(), 2);
    EXPECT_EQ(m.Cell(1, 2), L"x");
    EXPECT_EQ(m.Cell(2, 0), L"");
    EXPECT_EQ(m.Cell(9, 0), L"");
    EXPECT_EQ(m.Cell(0, 3), L"");
    EXPECT_FALSE(m.SetCell(5, 0, L"nope"));

    auto idB = m.IdOfRow(1);
    EXPECT_TRUE(m.DeleteRow(0));
    EXPECT_EQ(m.RowCount(), 2);
    EXPECT_EQ(m.Cell(0, 0), L"b");  // rows below move up
    EXPECT_EQ(m.RowOfId(idB), 0);
    EXPECT_TRUE(m.SetTicked(0, true));
    EXPECT_TRUE(m.Ticked(0));
    m.Clear();
    EXPECT_EQ(m.RowOfId(idB), -1);
    EXPECT_FALSE(m.Ticked(0));
    EXPECT_EQ(changes, 6);
}

TEST(TableModel, ListWithoutTicksRefusesTicks) {
    TableModel m(2);
    m.AppendRow({L"a"});
    EXPECT_FALSE(m.SetTicked(0, true));
    EXPECT_FALSE(m.Ticked(0));
}

TEST(TableModel, ConcurrentAppendsKeepEveryRowWhole) {
    TableModel m(2);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 500; ++i) {
                std::wstring v = std::to_wstring(t * 1000 + i);
                m.AppendRow({v, v});
            }
        });
    for (auto& th : threads) th.join();
    auto snap = m.Take();
    ASSERT_EQ(snap.cells.size(), 2000u);
    for (auto& row : snap.cells) EXPECT_EQ(row[0], row[1]);
}
