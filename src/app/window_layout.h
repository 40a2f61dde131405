#pragma once
// The main window's controls, list columns and popup menus as tables: what is where at 96 DPI, on which
// tab, with which text.
#include <windows.h>

#include <span>

#include "app/command_ids.h"
#include "app/prompter.h"

namespace app {

constexpr int kWindowX = 50, kWindowY = 50, kWindowWidth = 423, kWindowHeight = 500;
constexpr int kAlwaysShown = -1;  // "tab" of the controls that sit on the window itself
constexpr int kTabCount = 5;
extern const wchar_t* const kTabTitles[kTabCount];

enum class ControlKind { Tabs, StatusBar, Label, Edit, Button, CheckBox, ComboBox, GroupBox, List, TickList };

struct ControlDef {
    CommandId id;
    ControlKind kind;
    int tab;  // kAlwaysShown, or the tab it belongs to
    int x, y, width, height;  // relative to the tab control, which sits at the window's client origin
    const wchar_t* text;
};
std::span<const ControlDef> ControlDefs();
const ControlDef* FindControlDef(CommandId id);

struct ColumnDef {
    const wchar_t* title;
    int width;
    bool centred;
};
std::span<const ColumnDef> ColumnDefs(CommandId list);

extern const int kStatusCellWidths[5];
extern const wchar_t* const kStatusCellTexts[5];
extern const wchar_t* const kQualityItems[4];

struct MenuEntry {
    const wchar_t* text;  // nullptr: a separator
    CommandId id;
};
std::span<const MenuEntry> MenuEntries(PopupMenu menu);

}  // namespace app
