#include "app/hotkeys.h"

#include <algorithm>

namespace app {

namespace {

// The window property through which HotkeyWindowProc finds its registry.
constexpr wchar_t kRegistryProperty[] = L"QulieHotkeyRegistry";
// Applications may use hotkey ids 0x0000–0xBFFF; 0 is left out.
constexpr int kLastHotkeyId = 0xBFFF;

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto& windows = *reinterpret_cast<std::vector<TopWindow>*>(param);
    TopWindow w;
    w.window = window;
    w.threadId = GetWindowThreadProcessId(window, &w.processId);
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    w.title = title;
    wchar_t className[50] = {};
    GetClassNameW(window, className, 50);
    w.className = className;
    windows.push_back(std::move(w));
    return TRUE;  // all of them
}

std::wstring TrimBlanks(const std::wstring& text) {
    constexpr wchar_t kBlanks[] = L" \t\r\n\u3000";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::wstring::npos) return L"";
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

int ListTopWindows(std::vector<TopWindow>& windows) {
    // Collected apart and then handed over, so the caller's list never holds half an enumeration.
    std::vector<TopWindow> found;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&found));
    windows = std::move(found);
    return static_cast<int>(windows.size());
}

HWND FindOwnWindow(DWORD processId) {
    std::vector<TopWindow> windows;
    ListTopWindows(windows);
    for (const TopWindow& w : windows) {
        if (w.processId == processId && IsWindowVisible(w.window)) return w.window;
    }
    return nullptr;
}

int ReminderBox(MessageBoxes& boxes, const std::wstring& text, std::optional<UINT> style,
                std::optional<std::wstring> caption, std::optional<HWND> owner) {
    const HWND ownerWindow = owner ? *owner : FindOwnWindow(GetCurrentProcessId());
    return boxes.ShowMessage(ownerWindow, text, caption.value_or(kReminderCaption), style.value_or(MB_ICONINFORMATION | MB_OK)) -
           1;
}

HotkeyRegistry::HotkeyRegistry(MessageBoxes& boxes) : boxes_(boxes) {}

HotkeyRegistry::~HotkeyRegistry() {
    for (const Entry& e : table_) UnregisterHotKey(e.window, HotkeyIdOf(e.identifier));
    if (!procWindow_ || !IsWindow(procWindow_)) return;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(procWindow_, GWLP_WNDPROC)) == HotkeyWindowProc) {
        SetWindowLongPtrW(procWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousWindowProc_));
    }
    RemovePropW(procWindow_, kRegistryProperty);
}

int HotkeyRegistry::HotkeyIdOf(const std::wstring& identifier) {
    if (auto it = ids_.find(identifier); it != ids_.end()) return it->second;
    if (static_cast<int>(identifiers_.size()) >= kLastHotkeyId) return -1;
    identifiers_.push_back(identifier);
    const int id = static_cast<int>(identifiers_.size());
    ids_.emplace(identifier, id);
    return id;
}

std::optional<std::wstring> HotkeyRegistry::IdentifierOf(int id) const {
    if (id < 1 || id > static_cast<int>(identifiers_.size())) return std::nullopt;
    return identifiers_[id - 1];
}

int HotkeyRegistry::RegisterWindowHotkey(HWND window, UINT modifiers, UINT keyCode, Routine routine,
                                         const std::wstring& identifier) {
    // A new registration under a known identifier takes the key over from the earlier ones.
    for (const Entry& e : table_) {
        if (e.identifier == identifier) UnregisterHotKey(e.window, HotkeyIdOf(identifier));
    }
    if (!window) window = FindOwnWindow(GetCurrentProcessId());
    if (TrimBlanks(identifier).empty()) {
        ReminderBox(boxes_, kEmptyIdentifierText);
        return 0;
    }
    // Without a window the key would go to the thread's queue, where no routine could be found.
    if (!window) return 0;
    const int id = HotkeyIdOf(identifier);
    if (id < 0 || !RegisterHotKey(window, id, modifiers, keyCode)) return 0;
    table_.push_back({window, identifier, std::move(routine)});

    if (!procWindow_) {
        // The property goes first: the new procedure may see a message the moment it is installed.
        SetPropW(window, kRegistryProperty, this);
        procWindow_ = window;
        previousWindowProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HotkeyWindowProc)));
    }
    return 1;
}

LRESULT CALLBACK HotkeyRegistry::HotkeyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* registry = static_cast<HotkeyRegistry*>(GetPropW(window, kRegistryProperty));
    if (!registry) return DefWindowProcW(window, message, wParam, lParam);
    return registry->OnMessage(window, message, wParam, lParam);
}

LRESULT HotkeyRegistry::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY) {
        const auto identifier = IdentifierOf(static_cast<int>(wParam));
        const auto entry = std::find_if(table_.begin(), table_.end(),
                                        [&](const Entry& e) { return identifier && e.identifier == *identifier; });
        if (entry != table_.end()) {
            // The routine may register hotkeys itself, which can move the table: call a copy.
            const Routine routine = entry->routine;
            try {
                if (routine) routine();
            } catch (...) {
                // A routine's failure must not leave through the window procedure.
            }
            return 0;
        }
    }
    return CallWindowProcW(previousWindowProc_, window, message, wParam, lParam);
}

}  // namespace app
