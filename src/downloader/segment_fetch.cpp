#include "downloader/segment_fetch.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "downloader/wininet_calls.h"

namespace downloader::detail {
namespace {

using Lock = std::unique_lock<std::recursive_mutex>;

// Whether the answer carries exactly the bytes first..last of the resource. A server that ignores
// Range, or sends another range, would otherwise put foreign bytes into this segment.
bool AnswerFits(const SegmentedDownload& job, HINTERNET request, std::int64_t first, std::int64_t last) {
    const int status = StatusCode(request);
    const auto length = ContentLength(request);
    if (status == 206) {
        const auto range = ContentRangeOf(request);
        if (!range || range->first != first || range->last != last) return false;
        if (range->total != -1 && range->total != job.length) return false;  // the resource has changed
        return !length || *length == last - first + 1;
    }
    // The whole resource is exactly the one segment a single-segment job asks for.
    if (status == 200 && job.segmentCount == 1 && first == 0) return !length || *length == job.length;
    return false;
}

// Brackets a WinINet call that may block: the supervisor gives the worker up when the call outlives
// its time-out. Leave() is false when that happened; the worker must then touch nothing of the job.
class WatchedCall {
public:
    WatchedCall(SegmentedDownload& job, int slot, int timeoutMs) : job_(job), slot_(slot) {
        Lock lock(job_.lock);
        job_.slots[slot_].deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    }
    bool Leave() {
        Lock lock(job_.lock);
        job_.slots[slot_].deadline = Clock::time_point::max();
        return !job_.slots[slot_].abandoned;
    }

private:
    SegmentedDownload& job_;
    int slot_;
};

// After a read: counts the new bytes, reports them and sits out a pause, holding the connection.
// False when the job is failing or stopping.
bool RecordRead(SegmentedDownload& job, SegmentState& state, std::int64_t written) {
    Lock lock(job.lock);
    state.written = written;
    if (written > state.counted) {
        // A segment fetched again after a bad answer is counted once.
        job.received += written - state.counted;
        state.counted = written;
        if (job.report) job.report(kProgress, job.length, job.received);
    }
    while (job.control == kPaused && !job.closing)
        job.changed.wait_for(lock, std::chrono::milliseconds(kSafetyWaitMs));
    return !SegmentedDownload::IsFinal(job.control) && !job.closing;
}

}  // namespace

Attempt FetchSegment(SegmentedDownload& job, int slot, HINTERNET session, int segment, std::vector<char>& buffer,
                     WorkerWindow& window) {
    SegmentState& state = job.segments[segment];
    std::int64_t written = 0;
    {
        Lock lock(job.lock);
        ++state.attempts;
        written = state.written;
    }
    const std::int64_t start = job.SegmentStart(segment);
    const std::int64_t bytes = job.SegmentBytes(segment);
    const int openTimeoutMs = job.options.connectTimeoutMs + job.options.receiveTimeoutMs;
    const int readTimeoutMs = job.options.receiveTimeoutMs;

    // The range always names the whole segment's end, even past the resource's end on the last one.
    WatchedCall open(job, slot, openTimeoutMs);
    win::UniqueInternet request =
        OpenUrl(session, job.url, RangeHeaders(start + written, start + job.segmentSize - 1), job.options);
    if (!open.Leave()) return Attempt::kAbandoned;
    if (!request) return Attempt::kFailed;
    if (!AnswerFits(job, request.get(), start + written, start + bytes - 1)) return Attempt::kFailed;

    // Reads go to the worker's buffer first, so a read that returns after its worker was given up
    // writes nothing into the file.
    char* const base = window.Segment(segment);
    if (!base) return Attempt::kBroken;

    while (written < bytes) {
        const DWORD want = static_cast<DWORD>(std::min<std::int64_t>(buffer.size(), bytes - written));
        DWORD got = 0;
        WatchedCall read(job, slot, readTimeoutMs);
        const BOOL ok = InternetReadFile(request.get(), buffer.data(), want, &got);
        if (!read.Leave()) return Attempt::kAbandoned;
        // A connection closed in the middle of the body reads as a success of 0 bytes: only the
        // count tells a short segment from a whole one.
        if (!ok || got == 0 || got > want) return Attempt::kFailed;
        std::memcpy(base + written, buffer.data(), got);
        written += got;
        if (!RecordRead(job, state, written)) return Attempt::kLeft;
    }
    // Anything after the segment's last byte means the answer was not the range asked for, so the
    // bytes before it are not trusted either.
    DWORD got = 0;
    WatchedCall end(job, slot, readTimeoutMs);
    const BOOL ok = InternetReadFile(request.get(), buffer.data(), 1, &got);
    if (!end.Leave()) return Attempt::kAbandoned;
    if (!ok || got != 0) {
        Lock lock(job.lock);
        state.written = 0;
        return Attempt::kFailed;
    }
    return Attempt::kComplete;
}

}  // namespace downloader::detail
