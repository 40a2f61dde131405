// qulie-demo: serves the demo catalogue on 127.0.0.1 and, when asked, prepares a run directory whose
// test.ini points the program at this service and runs the program there, stopping when it ends.
//
//   qulie-demo --audio DIR [--rundir DIR --launch EXE] [--timeout SECONDS]
#include <windows.h>

#include <cstdio>
#include <string>

#include "demo_service.h"
#include "win/text.h"

namespace {

void WriteEndpoints(const std::wstring& runDir, const std::wstring& base) {
    const std::wstring ini = runDir + L"\\test.ini";
    for (const wchar_t* key : {L"歌曲搜索", L"MV搜索", L"链接解析"})
        WritePrivateProfileStringW(L"接口", key, base.c_str(), ini.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring audio, runDir, launch;
    DWORD timeoutMs = 4 * 3600 * 1000;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::wstring opt = argv[i], val = argv[i + 1];
        if (opt == L"--audio") audio = val;
        else if (opt == L"--rundir") runDir = val;
        else if (opt == L"--launch") launch = val;
        else if (opt == L"--timeout") timeoutMs = static_cast<DWORD>(_wtoi(val.c_str())) * 1000;
    }
    demo::DemoService service(demo::LoadAudioFolder(audio));
    std::printf("qulie-demo: serving on %s\n", service.BaseUrl().c_str());
    std::fflush(stdout);

    if (launch.empty()) {
        Sleep(timeoutMs);
        return 0;
    }
    WriteEndpoints(runDir, win::Utf8ToWide(service.BaseUrl()));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + launch + L"\"";
    if (!CreateProcessW(launch.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, runDir.c_str(), &si, &pi)) {
        std::printf("qulie-demo: cannot start the program (error %lu)\n", GetLastError());
        return 1;
    }
    CloseHandle(pi.hThread);
    WaitForSingleObject(pi.hProcess, timeoutMs);
    CloseHandle(pi.hProcess);
    return 0;
}
