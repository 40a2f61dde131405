#include "program_driver.h"

#include <commctrl.h>

#include "win/file_io.h"

namespace e2e {
namespace {

constexpr wchar_t kTitle[] = L"曲猎v1.6 [高音质/无损音质/MV]";

std::wstring FromUnixPath(const char* unixPath) {
    // Wine shows the Linux root as drive Z:.
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p) path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return path;
}

struct FindData {
    DWORD pid;
    HWND found = nullptr;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM param) {
    auto* data = reinterpret_cast<FindData*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t title[128] = {};
    GetWindowTextW(hwnd, title, 128);
    if (pid == data->pid && IsWindowVisible(hwnd) && std::wstring(title) == kTitle) {
        data->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct ChildData {
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM param) {
    auto* data = reinterpret_cast<ChildData*>(param);
    if (GetDlgCtrlID(hwnd) == data->id) {
        data->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct BoxData {
    DWORD pid;
    std::vector<HWND> boxes;
};

BOOL CALLBACK FindBoxes(HWND hwnd, LPARAM param) {
    auto* data = reinterpret_cast<BoxData*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[16] = {};
    GetClassNameW(hwnd, cls, 16);
    if (pid == data->pid && std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd)) data->boxes.push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectText(HWND hwnd, LPARAM param) {
    wchar_t cls[16] = {}, text[512] = {};
    GetClassNameW(hwnd, cls, 16);
    if (_wcsicmp(cls, L"Static") == 0 && GetWindowTextW(hwnd, text, 512) > 0)
        *reinterpret_cast<std::wstring*>(param) += text;
    return TRUE;
}

}  // namespace

std::wstring BuiltProgramPath() { return FromUnixPath(QULIE_EXE); }
std::wstring DemoAudioFolder() { return FromUnixPath(QULIE_DEMO_AUDIO); }

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    for (int waited = 0;; waited += 100) {
        if (done()) return true;
        if (waited >= timeoutMs) return false;
        Sleep(100);
    }
}

ProgramDriver::ProgramDriver(const std::wstring& runDir) {
    const std::wstring exe = runDir + L"\\qulie.exe";
    if (!CopyFileW(BuiltProgramPath().c_str(), exe.c_str(), FALSE)) return;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, runDir.c_str(), &si,
                        &process_))
        return;
    WaitFor(
        [&] {
            FindData data{process_.dwProcessId};
            EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&data));
            window_ = data.found;
            return window_ != nullptr;
        },
        30000);
}

ProgramDriver::~ProgramDriver() {
    if (!process_.hProcess) return;
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    // A running download makes the program ask before it closes: answer Yes.
    for (int i = 0; i < 100 && WaitForSingleObject(process_.hProcess, 100) == WAIT_TIMEOUT; ++i)
        DismissMessageBoxes(IDYES);
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND ProgramDriver::Control(int id) const {
    ChildData data{id};
    if (window_) EnumChildWindows(window_, FindChild, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

void ProgramDriver::SetText(int id, const std::wstring& text) {
    SendMessageTimeoutW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 5000,
                        nullptr);
}

void ProgramDriver::Click(int id) { PostMessageW(Control(id), BM_CLICK, 0, 0); }

void ProgramDriver::Command(int id) { PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void ProgramDriver::SelectComboItem(int id, int index) {
    SendMessageTimeoutW(Control(id), CB_SETCURSEL, index, 0, SMTO_NORMAL, 5000, nullptr);
}

int ProgramDriver::RowCount(int listId) const {
    DWORD_PTR count = 0;
    SendMessageTimeoutW(Control(listId), LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 5000, &count);
    return static_cast<int>(count);
}

std::wstring ProgramDriver::Cell(int listId, int row, int column) const {
    // The list view writes into memory of its own process: lend it a block there.
    constexpr size_t kChars = 1024;
    HANDLE proc = process_.hProcess;
    auto* remote = static_cast<char*>(
        VirtualAllocEx(proc, nullptr, sizeof(LVITEMW) + kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
    if (!remote) return {};
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = kChars;
    item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
    std::wstring text;
    if (WriteProcessMemory(proc, remote, &item, sizeof item, nullptr)) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(Control(listId), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL,
                            5000, &length);
        std::wstring buffer(kChars, L'\0');
        if (ReadProcessMemory(proc, remote + sizeof(LVITEMW), buffer.data(), kChars * sizeof(wchar_t), nullptr))
            text = buffer.c_str();
    }
    VirtualFreeEx(proc, remote, 0, MEM_RELEASE);
    return text;
}

std::vector<std::wstring> ProgramDriver::Column(int listId, int column) const {
    std::vector<std::wstring> cells;
    for (int row = 0, n = RowCount(listId); row < n; ++row) cells.push_back(Cell(listId, row, column));
    return cells;
}

std::vector<std::wstring> ProgramDriver::DismissMessageBoxes(int button) {
    BoxData data{process_.dwProcessId, {}};
    EnumWindows(FindBoxes, reinterpret_cast<LPARAM>(&data));
    std::vector<std::wstring> texts;
    for (HWND box : data.boxes) {
        std::wstring text;
        EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&text));
        texts.push_back(text);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    }
    return texts;
}

}  // namespace e2e
