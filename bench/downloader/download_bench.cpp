// Times one download job, or the file-writing pattern of a job without any network.
//   download_bench get <url> <target> [connections] [chunkKiB]
//   download_bench write <target> <MiB> [chunkKiB]
// Prints one line: "<MiB/s> MiB/s <seconds> s peak <MiB> MiB".
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "downloader/file_window.h"
#include "downloader/segmented_download.h"
#include "downloader/worker_window.h"

namespace {

using Clock = std::chrono::steady_clock;

double PeakMiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return std::max(counters.PeakWorkingSetSize, counters.PeakPagefileUsage) / 1048576.0;
}

void Print(std::int64_t bytes, Clock::duration elapsed) {
    const double seconds = std::chrono::duration<double>(elapsed).count();
    std::printf("%.1f MiB/s %.3f s peak %.1f MiB\n", bytes / 1048576.0 / seconds, seconds, PeakMiB());
}

int Get(const std::wstring& url, const std::wstring& target, int connections, int chunkKiB) {
    std::mutex lock;
    std::condition_variable ended;
    int code = 1;
    std::int64_t received = 0;
    bool done = false;
    downloader::JobOptions options;
    if (chunkKiB > 0) options.readChunkBytes = chunkKiB * 1024;
    const auto start = Clock::now();
    const auto job = downloader::StartDownloadJob(
        url, target, connections,
        [&](int c, std::int64_t, std::int64_t second) {
            if (c == downloader::kProgress) return;
            std::lock_guard guard(lock);
            code = c;
            received = second;
            done = true;
            ended.notify_all();
        },
        options);
    if (job == downloader::kNoJob) {
        std::fprintf(stderr, "the job did not start\n");
        return 2;
    }
    std::unique_lock guard(lock);
    ended.wait(guard, [&] { return done; });
    if (code != downloader::kFinished) {
        std::fprintf(stderr, "the job failed\n");
        return 3;
    }
    Print(received, Clock::now() - start);
    return 0;
}

// The job's write pattern without the network: a new file sized by its mapping, written through one
// worker's views (kWindowBytes each, placed as the job places them) in chunks of the read size.
int Write(const std::wstring& target, std::int64_t mib, int chunkKiB) {
    const std::int64_t length = mib * 1048576;
    const size_t chunk = static_cast<size_t>(chunkKiB > 0 ? chunkKiB : 256) * 1024;
    std::vector<char> buffer(chunk, 'x');
    const auto start = Clock::now();
    HANDLE file = CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READWRITE, static_cast<DWORD>(length >> 32),
                                        static_cast<DWORD>(length & 0xFFFFFFFF), nullptr);
    if (!mapping) return 2;
    for (std::int64_t at = 0; at < length; at += downloader::detail::kWindowBytes) {
        const std::int64_t bytes = std::min(downloader::detail::kWindowBytes, length - at);
        char* view = static_cast<char*>(downloader::detail::MapAlignedView(mapping, at, bytes));
        if (!view) return 2;
        for (std::int64_t done = 0; done < bytes; done += chunk)
            std::memcpy(view + done, buffer.data(),
                        static_cast<size_t>(std::min<std::int64_t>(chunk, bytes - done)));
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    CloseHandle(file);
    Print(length, Clock::now() - start);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"get" && argc >= 4)
        return Get(argv[2], argv[3], argc > 4 ? _wtoi(argv[4]) : 2, argc > 5 ? _wtoi(argv[5]) : 0);
    if (mode == L"write" && argc >= 4) return Write(argv[2], _wtoi(argv[3]), argc > 4 ? _wtoi(argv[4]) : 0);
    std::fprintf(stderr, "usage: download_bench get <url> <target> [connections] [chunkKiB]\n"
                         "       download_bench write <target> <MiB> [chunkKiB]\n");
    return 1;
}
