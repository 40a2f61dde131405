#include <windows.h>

#include "app/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) { return app::RunProgram(instance, show); }
