#pragma once
// Every message the program posts to its own main window.
#include <windows.h>

namespace app {

// A list's model changed; wParam = the list's control id. Posted at most once until handled.
constexpr UINT kMsgModelChanged = WM_APP + 1;
// Show a title text for a notice made on a worker thread; lParam = new std::wstring, owned by the receiver.
constexpr UINT kMsgNoticeTitle = WM_APP + 2;

}  // namespace app
