#include "app/window_base.h"

namespace app {

WindowBase::~WindowBase() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        HWND hwnd = hwnd_;
        hwnd_ = nullptr;
        DestroyWindow(hwnd);
    }
}

bool WindowBase::RegisterWindowClass(HINSTANCE instance, const wchar_t* className, HICON icon) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, className, &wc)) return true;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WindowBase::WindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

HWND WindowBase::CreateBase(const wchar_t* className, const wchar_t* title, DWORD style, int x, int y, int width,
                            int height, HINSTANCE instance) {
    return CreateWindowExW(0, className, title, style, x, y, width, height, nullptr, nullptr, instance, this);
}

LRESULT CALLBACK WindowBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        LRESULT result = 0;
        try {
            result = self->HandleMessage(message, wParam, lParam);
        } catch (...) {
            result = DefWindowProcW(hwnd, message, wParam, lParam);
        }
        self->hwnd_ = nullptr;
        return result;
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // A failed handler leaves the message to the default behaviour rather than end the program.
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace app
