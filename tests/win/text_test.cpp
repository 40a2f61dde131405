#include "win/text.h"

#include <gtest/gtest.h>

using namespace win;

TEST(Text, Utf8RoundTripKeepsEveryCharacter) {
    const std::wstring samples[] = {L"", L"abc", L"东来东往", L"사랑해", L"a\u00e9\U0001F600z"};
    for (const auto& s : samples) EXPECT_EQ(Utf8ToWide(WideToUtf8(s)), s);
    EXPECT_EQ(WideToUtf8(L"东"), "\xE4\xB8\x9C");
}

TEST(Text, Cp936BytesAndLoss) {
    bool lossless = false;
    EXPECT_EQ(WideToCp936(L"东a", &lossless), "\xB6\xAB" "a");
    EXPECT_TRUE(lossless);
    EXPECT_EQ(Cp936ToWide("\xB6\xAB" "a"), L"东a");

    EXPECT_EQ(WideToCp936(L"사", &lossless), "?");
    EXPECT_FALSE(lossless);
    EXPECT_TRUE(FitsCp936(L"东来东往 - 1.mp3"));
    EXPECT_FALSE(FitsCp936(L"사랑"));
}
