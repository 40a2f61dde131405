#include "app/program.h"

#include <commctrl.h>

#include "app/app_context.h"
#include "app/main_window.h"
#include "app/prompter.h"
#include "win/file_io.h"

namespace app {

int RunProgram(HINSTANCE instance, int show, std::wstring runDirectory) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    // The prompter outlives the context: a failure box may still show while the queue goes.
    Win32Prompter prompter;
    // The context opens the HTTP session; its destruction at the end of the run, however the loop
    // ends, is the teardown.
    AppContext context(runDirectory.empty() ? win::ExeDirectory() : std::move(runDirectory));
    context.state.processHeap = GetProcessHeap();

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
