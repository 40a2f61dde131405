#pragma once
// Runs this thread's pending window messages (posted ones included); bounded, never waits.
#include <windows.h>

namespace testing_support {

inline void PumpMessages() {
    MSG msg;
    for (int i = 0; i < 10000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace testing_support
