#pragma once
// Every message box of the program goes through this, so that tests can answer in its place. The
// window's Prompter is one of these too, so the window hands its own to whatever shows boxes.
#include <windows.h>

#include <string>

namespace app {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows a box and returns the button chosen (IDOK, IDYES, ...).
    virtual int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) = 0;
};

// The system's message boxes.
MessageBoxes& SystemMessageBoxes();

}  // namespace app
