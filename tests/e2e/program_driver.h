#pragma once
// Drives the real qulie.exe from outside, the way a person would: it runs the program in its own run
// directory, finds its main window and controls, types into boxes, clicks buttons, picks menu entries,
// and reads the list views back across the process boundary.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The built program and the demo's sample files, as Windows paths.
std::wstring BuiltProgramPath();
std::wstring DemoAudioFolder();

class ProgramDriver {
public:
    // Copies the program into `runDir` (its run directory is the folder of the .exe) and starts it.
    explicit ProgramDriver(const std::wstring& runDir);
    ~ProgramDriver();  // closes the program (answering its close question) and waits for it
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;

    bool Started() const { return window_ != nullptr; }
    HWND Window() const { return window_; }
    HWND Control(int id) const;

    void SetText(int id, const std::wstring& text);
    void Click(int id);               // posted, so a click that waits inside the program does not block us
    void Command(int id);             // a menu entry, posted as WM_COMMAND
    void SelectComboItem(int id, int index);
    int RowCount(int listId) const;
    std::wstring Cell(int listId, int row, int column) const;
    std::vector<std::wstring> Column(int listId, int column) const;

    // Closes every message box the program shows, answering with `button`; returns the texts they showed.
    std::vector<std::wstring> DismissMessageBoxes(int button = IDOK);

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// Polls `done` every 100 ms for at most `timeoutMs`; true once it held.
bool WaitFor(const std::function<bool()>& done, int timeoutMs);

}  // namespace e2e
