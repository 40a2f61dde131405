#include "queue/safe_file_name.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "support/temp_dir.h"
#include "win/handle.h"

using queue::MakeSafeFileName;

namespace {

struct Case {
    std::wstring in, out;
};

TEST(MakeSafeFileName, MakesEveryNameAPlainFileNameInsideItsFolder) {
    const Case cases[] = {
        {L"周杰伦 - 晴天.mp3", L"周杰伦 - 晴天.mp3"},
        {L"..\\..\\evil.exe", L".._.._evil.exe"},
        {L"../x.mp3", L".._x.mp3"},
        {L"C:\\Windows\\x.mp3", L"C__Windows_x.mp3"},
        {L"a<b>c:d\"e/f\\g|h?i*j.mp3", L"a_b_c_d_e_f_g_h_i_j.mp3"},
        {L"tab\there\x01.mp3", L"tab_here_.mp3"},
        {L"..", L"_"},
        {L".", L"_"},
        {L"", L"_"},
        {L"name. . ", L"name"},
        {L"CON", L"_CON"},
        {L"con.mp3", L"_con.mp3"},
        {L"Nul.tar.gz", L"_Nul.tar.gz"},
        {L"COM1.mp3", L"_COM1.mp3"},
        {L"lpt9", L"_lpt9"},
        {L"CON .mp3", L"_CON .mp3"},
        {L"COM10.mp3", L"COM10.mp3"},
        {L"CONSOLE.mp3", L"CONSOLE.mp3"},
        {L"LPT0.mp3", L"LPT0.mp3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MakeSafeFileName(c.in), c.out) << testing::PrintToString(c.in);
        EXPECT_EQ(MakeSafeFileName(c.out), c.out) << "not stable: " << testing::PrintToString(c.out);
    }
}

TEST(MakeSafeFileName, CutsLongNamesKeepingTheExtension) {
    std::wstring stem(300, L'歌');
    std::wstring safe = MakeSafeFileName(stem + L".flac");
    EXPECT_EQ(safe.size(), queue::kMaxFileNameLength);
    EXPECT_TRUE(safe.ends_with(L"歌.flac"));
    EXPECT_EQ(MakeSafeFileName(safe), safe);

    EXPECT_EQ(MakeSafeFileName(L"abcd efgh.mp3", 9), L"abcd.mp3");  // no blank left before the dot
    std::wstring pairs;
    for (int i = 0; i < 10; ++i) pairs += L"\U0001F3B5";  // each a surrogate pair
    std::wstring cut = MakeSafeFileName(pairs, 5);
    EXPECT_EQ(cut.size(), 4u);  // never half a pair
    EXPECT_EQ(MakeSafeFileName(L"CON" + std::wstring(300, L'x')).size(), queue::kMaxFileNameLength);
}

TEST(MakeSafeFileName, WindowsCreatesTheFileInsideTheFolder) {
    testing_support::TempDir dir;
    for (const wchar_t* name : {L"..\\up.mp3", L"a:b?.mp3", L"aux.mp3", L"dots...", L"tail  "}) {
        std::wstring path = dir / MakeSafeFileName(name);
        win::UniqueFile f(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        EXPECT_TRUE(f) << testing::PrintToString(std::wstring(name));
    }
}

}  // namespace
