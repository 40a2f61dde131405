// Opens the main window in the current folder (used as the run directory) against the in-process demo
// service, searches and downloads like a person would, and shows each tab in turn while the run script
// takes its picture.
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
#include "demo_service.h"
#include "win/file_io.h"
#include "win/text.h"

namespace {

// The demo's sample files (a Windows path under Wine's drive Z:).
const std::wstring kDemoAudio = L"Z:" QULIE_DEMO_AUDIO_W;

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

// Points the run directory at the in-process demo service (the window reads [接口] at start-up).
void UseDemoEndpoints(const std::wstring& folder, const demo::DemoService& service) {
    const std::wstring ini = folder + L"\\test.ini";
    const std::wstring base = win::Utf8ToWide(service.BaseUrl());
    for (const wchar_t* key : {L"歌曲搜索", L"MV搜索", L"链接解析"})
        WritePrivateProfileStringW(L"接口", key, base.c_str(), ini.c_str());
}

// Fills every tab the way a person would: a song search, an MV search, and a batch download in
// 高音质 of the ticked songs, waiting until the downloads are done.
void RunDemoSession(app::MainWindow& window, const std::wstring& folder) {
    auto click = [&](app::CommandId id) { SendMessageW(window.Control(id), BM_CLICK, 0, 0); };
    SetWindowTextW(window.Control(app::kSongPages), L"2");
    click(app::kSongSearch);
    SetWindowTextW(window.Control(app::kMvPages), L"1");
    click(app::kMvSearch);
    app::PumpingWait(1500);
    // Tick three songs that offer 高音质 and download them.
    auto& songs = window.Context().tables.songResults;
    for (int row = 0, ticked = 0; row < songs.RowCount() && ticked < 3; ++row)
        if (!songs.Cell(row, 2).empty()) {
            songs.SetTicked(row, true);
            ++ticked;
        }
    SendMessageW(window.Control(app::kBatchQuality), CB_SETCURSEL, 1, 0);
    click(app::kSongBatch);
    const std::wstring taskFile = folder + L"\\下载任务.txt";
    for (int waited = 0; waited < 600; ++waited) {  // at most a minute
        app::PumpingWait(100);
        auto text = win::ReadWholeFile(taskFile);
        if (waited > 40 && (!text || text->empty())) break;
    }
    app::PumpingWait(1500);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    wchar_t here[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, here);
    std::wstring folder = here;
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();

    demo::DemoService service(demo::LoadAudioFolder(kDemoAudio));
    UseDemoEndpoints(folder, service);
    app::AppContext context(folder);
    NoPrompts prompts;
    NoMenus menus;
    app::MainWindow window(context, prompts, menus, {.quitOnDestroy = false});
    if (!window.Create(instance, SW_SHOWNORMAL)) return 1;
    SetForegroundWindow(window.hwnd());
    RunDemoSession(window, folder);
    int failures = 0;
    for (int tab = 0; tab < app::kTabCount; ++tab) {
        window.ShowTab(tab);
        RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        app::PumpingWait(700);
        if (!HandOverTab(window.hwnd(), folder, tab)) ++failures;
    }
    return failures == 0 ? 0 : 2;
}
