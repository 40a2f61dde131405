#pragma once
// One-second messages in the main window's title, and a wait that keeps the calling thread's windows
// responsive. Both may be called from any thread.
#include <windows.h>

#include <string>

namespace app {

extern const wchar_t kMainTitle[];  // "曲猎v1.6 [高音质/无损音质/MV]"

// The window whose title the notices use; null when there is none. Set by the main window.
void SetNoticeWindow(HWND window);
HWND NoticeWindow();

// Shows `text` as the title for one second, then restores kMainTitle. On the window's own thread the
// wait pumps messages; on any other thread the title change is posted to the window and the caller is
// held for the second with a plain wait, so a worker never waits for the window thread.
void TitleNotice(const std::wstring& text);

// Waits `duration` units (0 or omitted: milliseconds, 1 seconds, 2 minutes, 3 hours) while processing the
// calling thread's window messages. Returns false at once when the timer cannot be set up.
bool PumpingWait(long long duration, int unit = 0);

}  // namespace app
