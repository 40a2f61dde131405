#include "app/program.h"

#include <commctrl.h>

#include "app/app_context.h"
#include "app/main_window.h"
#include "app/pending_operations.h"
#include "app/prompter.h"
#include "win/file_io.h"

namespace app {
namespace {

// Teardown at the end of the run, however the loop ends: the HTTP client goes first; the tables and
// texts go with the context.
class Teardown {
public:
    explicit Teardown(AppState& state) : state_(state) {}
    ~Teardown() { DestroyHttpSession(state_); }
    Teardown(const Teardown&) = delete;
    Teardown& operator=(const Teardown&) = delete;

private:
    AppState& state_;
};

}  // namespace

int RunProgram(HINSTANCE instance, int show, std::wstring runDirectory) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    AppContext context(runDirectory.empty() ? win::ExeDirectory() : std::move(runDirectory));
    OpenHttpSession(context.state);
    context.state.hotkeyTable.clear();
    context.state.windowList.clear();
    Teardown teardown(context.state);
    context.state.processHeap = GetProcessHeap();

    Win32Prompter prompter;
    Win32MenuPresenter menus;
    MainWindow window(context, prompter, menus);
    if (!window.Create(instance, show)) return 1;

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window.hwnd(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace app
