#include "library/link_fetch.h"

#include <windows.h>
#include <wininet.h>

#include <vector>

#include "win/handle.h"

namespace library {

namespace {

constexpr wchar_t kUserAgent[] = L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

void SetTimeout(HINTERNET handle, DWORD option, DWORD ms) {
    InternetSetOptionW(handle, option, &ms, sizeof ms);
}

// The number a header holds, or -1 when it is missing.
long long NumberHeader(HINTERNET request, DWORD header) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (!HttpQueryInfoW(request, header | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr)) return -1;
    return value;
}

}  // namespace

LinkFetch::LinkFetch(std::wstring link, std::wstring filePath)
    : link_(std::move(link)), path_(std::move(filePath)), thread_([this] { Run(); }) {}

LinkFetch::~LinkFetch() {
    Cancel();
    if (thread_.joinable()) thread_.join();
    DeleteFileW(path_.c_str());
}

void LinkFetch::Run() noexcept {
    bool ok = false;
    try {
        ok = Download();
    } catch (...) {
        ok = false;
    }
    succeeded_ = ok;
    done_.store(true, std::memory_order_release);
}

bool LinkFetch::Download() {
    win::UniqueInternet session(InternetOpenW(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return false;
    // Without time-outs a server that stops sending would keep this thread, and the owner's
    // destructor that waits for it, forever.
    SetTimeout(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, kNetworkTimeoutMs);
    SetTimeout(session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, kNetworkTimeoutMs);
    SetTimeout(session.get(), INTERNET_OPTION_SEND_TIMEOUT, kNetworkTimeoutMs);
    if (cancelled_.load()) return false;

    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI |
                        INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_PRAGMA_NOCACHE;
    win::UniqueInternet request(InternetOpenUrlW(session.get(), link_.c_str(), nullptr, 0, flags, 0));
    if (!request) return false;
    const long long status = NumberHeader(request.get(), HTTP_QUERY_STATUS_CODE);
    if (status < 200 || status > 299) return false;
    const long long expected = NumberHeader(request.get(), HTTP_QUERY_CONTENT_LENGTH);

    bool ok = false;
    long long received = 0;
    {
        win::UniqueFile file(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_TEMPORARY, nullptr));
        if (!file) return false;
        std::vector<char> buffer(64 * 1024);
        for (;;) {
            if (cancelled_.load()) break;
            DWORD got = 0;
            if (!InternetReadFile(request.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got)) break;
            if (got == 0) {
                // A connection that drops in the middle of the body also ends with 0 bytes, so only
                // the announced length tells a whole body from a cut one.
                ok = received > 0 && (expected < 0 || received == expected);
                break;
            }
            DWORD written = 0;
            if (!WriteFile(file.get(), buffer.data(), got, &written, nullptr) || written != got) break;
            received += got;
        }
    }
    if (!ok) DeleteFileW(path_.c_str());
    return ok;
}

}  // namespace library
