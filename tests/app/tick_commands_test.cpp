#include "app/tick_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<bool> Ticks(const win::TableModel& list) { return list.Take().ticks; }

void Fill(win::TableModel& list, const std::vector<bool>& ticks) {
    for (bool ticked : ticks) list.SetTicked(list.AppendRow({L"歌"}), ticked);
}

TEST(TickCommands, TickAllTicksEveryRowWhateverItHad) {
    win::TableModel list(5, true);
    Fill(list, {true, false, false, true});
    app::TickAll(list);
    EXPECT_EQ(Ticks(list), (std::vector<bool>{true, true, true, true}));
}

TEST(TickCommands, InvertFlipsEachRowAndTwiceRestores) {
    win::TableModel list(3, true);
    Fill(list, {true, false, true});
    app::InvertTicks(list);
    EXPECT_EQ(Ticks(list), (std::vector<bool>{false, true, false}));
    app::InvertTicks(list);
    EXPECT_EQ(Ticks(list), (std::vector<bool>{true, false, true}));
}

TEST(TickCommands, UntickAllClearsEveryRow) {
    win::TableModel list(3, true);
    Fill(list, {true, false, true});
    app::UntickAll(list);
    EXPECT_EQ(Ticks(list), (std::vector<bool>{false, false, false}));
}

TEST(TickCommands, EmptyListIsLeftAloneAndWalkGoesFromTheLastRow) {
    win::TableModel list(3, true);
    int changes = 0;
    list.SetOnChange([&] { ++changes; });
    app::TickAll(list);
    app::InvertTicks(list);
    app::UntickAll(list);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(list.RowCount(), 0);

    // The order shows when a watcher reads the list as it changes.
    Fill(list, {false, false, false});
    std::vector<int> order;
    list.SetOnChange([&] {
        auto ticks = Ticks(list);
        for (int row = 0; row < 3; ++row)
            if (ticks[row] && std::find(order.begin(), order.end(), row) == order.end()) order.push_back(row);
    });
    app::TickAll(list);
    EXPECT_EQ(order, (std::vector<int>{2, 1, 0}));
}

TEST(HashOffered, EmptyHashesAndLosslessZerosAreNotOffered) {
    const std::wstring zeros(32, L'0');
    EXPECT_FALSE(app::HashOffered(L""));
    EXPECT_TRUE(app::HashOffered(L"ABC"));
    EXPECT_TRUE(app::HashOffered(zeros));  // only the lossless column treats zeros as missing
    EXPECT_FALSE(app::LosslessHashOffered(L""));
    EXPECT_FALSE(app::LosslessHashOffered(zeros));
    EXPECT_TRUE(app::LosslessHashOffered(std::wstring(31, L'0')));
    EXPECT_TRUE(app::LosslessHashOffered(L"0123456789ABCDEF0123456789ABCDEF"));
}

}  // namespace
