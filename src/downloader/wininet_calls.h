#pragma once
// The WinINet calls of a download: a session per thread, GET requests with the fixed header block,
// and the parts of an answer's head the job checks.
#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <optional>
#include <string>

#include "downloader/segmented_download.h"
#include "win/handle.h"

namespace downloader::detail {

// Every request of a download sends these headers (CR LF between lines, none at the end).
extern const wchar_t kHeaderBlock[];

// The header block with the Range line of one request: "bytes=first-last", both inclusive.
std::wstring RangeHeaders(std::int64_t first, std::int64_t last);

// The access type of a job's sessions: the system's proxy setting when the connection goes through a
// proxy. Asked once per job: under Wine the connection state takes 12 to 18 ms to learn.
DWORD SessionAccessType();

// A session with an empty agent and that access type, with the job's time-outs.
win::UniqueInternet OpenSession(const JobOptions& options, DWORD access);

// A GET of the URL with the given extra headers, never served from or stored in the cache; redirects
// are followed. Null when no answer head arrived.
win::UniqueInternet OpenUrl(HINTERNET session, const std::wstring& url, const std::wstring& headers,
                            const JobOptions& options);

// The same request with the method HEAD: the answer's head without a body. WinINet reads the rest of
// an unread body before it closes a request (under Wine at a few MiB/s), so a GET probe of a large
// file would cost a second download.
win::UniqueInternet OpenHead(HINTERNET session, const std::wstring& url, const std::wstring& headers,
                             const JobOptions& options, win::UniqueInternet& connection);

int StatusCode(HINTERNET request);  // 0 when unknown
std::optional<std::int64_t> ContentLength(HINTERNET request);
// The Content-Range header's "first-last/total" (total -1 for "*"); nothing when absent or malformed.
struct ContentRange {
    std::int64_t first = 0, last = 0, total = 0;
};
std::optional<ContentRange> ContentRangeOf(HINTERNET request);

// Parses a non-negative decimal number, all of the text and nothing else.
std::optional<std::int64_t> ParseDecimal(std::wstring_view text);
std::optional<ContentRange> ParseContentRange(std::wstring_view text);

}  // namespace downloader::detail
