#pragma once
// Base of the program's windows: the window procedure finds the C++ object through the pointer stored
// at WM_NCCREATE, and no exception ever leaves the window procedure.
#include <windows.h>

namespace app {

class WindowBase {
public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND hwnd() const { return hwnd_; }

protected:
    static bool RegisterWindowClass(HINSTANCE instance, const wchar_t* className, HICON icon);
    HWND CreateBase(const wchar_t* className, const wchar_t* title, DWORD style, int x, int y, int width,
                    int height, HINSTANCE instance);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

}  // namespace app
