#pragma once
#include <windows.h>

#include <string>

namespace app {

// The whole program: start-up, the main window's message loop, teardown. Returns the exit code.
// `runDirectory` (no trailing "\") holds the program's files; empty means the folder of the .exe.
int RunProgram(HINSTANCE instance, int show, std::wstring runDirectory = {});

}  // namespace app
