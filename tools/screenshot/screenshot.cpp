// Opens the main window in the current folder (used as the run directory), fills the lists with a few
// sample rows, and shows each tab in turn while the run script takes its picture.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/main_window.h"
#include "app/prompter.h"
#include "app/title_notice.h"
#include "app/window_layout.h"

namespace {

class NoPrompts : public app::Prompter {
public:
    int ShowMessage(HWND, const std::wstring&, const std::wstring&, UINT) override { return IDOK; }
    std::wstring BrowseFolder(HWND, const std::wstring&) override { return {}; }
    void Explore(HWND, const std::wstring&) override {}
};

class NoMenus : public app::MenuPresenter {
public:
    void Show(app::PopupMenu, HMENU, HWND) override {}
};

// Wine draws text through the X server, so the picture is taken from outside by the run script:
// readyN.txt gives the window's screen rectangle, and the script answers with shotN.txt once the
// picture is saved.
bool HandOverTab(HWND window, const std::wstring& folder, int tab) {
    RECT rect;
    GetWindowRect(window, &rect);
    std::wstring ready = folder + L"\\ready" + std::to_wstring(tab) + L".txt";
    std::wstring done = folder + L"\\shot" + std::to_wstring(tab) + L".txt";
    FILE* out = _wfopen((ready + L".tmp").c_str(), L"w");
    if (!out) return false;
    fprintf(out, "%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
    fclose(out);
    MoveFileExW((ready + L".tmp").c_str(), ready.c_str(), MOVEFILE_REPLACE_EXISTING);
    for (int waited = 0; waited < 300; ++waited) {  // at most 30 s
        if (GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        app::PumpingWait(100);
    }
    return false;
}

void FillSampleRows(app::AppTables& tables) {
    const wchar_t* zeros = L"00000000000000000000000000000000";
    tables.songResults.AppendRow({L"东来东往 - 别说我的眼泪你无所谓", L"A1", L"B1", zeros, L""});
    tables.songResults.AppendRow({L"东来东往 - 路灯下的小姑娘", L"A2", L"B2", L"C2", L"D2"});
    tables.songResults.SetTicked(1, true);
    tables.mvResults.AppendRow({L"东来东往 - 回到过去", L"高清", L"E1"});
    tables.mvResults.AppendRow({L"东来东往 - 情深深雨濛濛", L"标清", L"E2"});
    tables.downloads.AppendRow({L"东来东往 - 路灯下的小姑娘.mp3", L"4.12MB", L"1.50MB", L"下载中", L"", L""});
    tables.downloads.AppendRow({L"东来东往 - 回到过去.mkv", L"", L"", L"等待中", L"", L""});
    tables.localSongs.AppendRow({L"1", L"东来东往 - 别说我的眼泪你无所谓", L"mp3"});
    tables.localSongs.AppendRow({L"2", L"东来东往 - 回到过去", L"mkv"});
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    wchar_t here[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, here);
    std::wstring folder = here;
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();

    app::AppContext context(folder);
    NoPrompts prompts;
    NoMenus menus;
    app::MainWindow window(context, prompts, menus, {.quitOnDestroy = false});
    if (!window.Create(instance, SW_SHOWNORMAL)) return 1;
    FillSampleRows(context.tables);
    SetForegroundWindow(window.hwnd());
    app::PumpingWait(1500);
    int failures = 0;
    for (int tab = 0; tab < app::kTabCount; ++tab) {
        window.ShowTab(tab);
        RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        app::PumpingWait(700);
        if (!HandOverTab(window.hwnd(), folder, tab)) ++failures;
    }
    return failures == 0 ? 0 : 2;
}
