#include "downloader/segment_fetch.h"

#include <algorithm>
#include <chrono>

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

// After a read: counts the new bytes, reports them and sits out a pause, holding the connection.
// False when the job is failing or stopping.
bool RecordRead(SegmentedDownload& job, SegmentState& state, std::int64_t written) {
    Lock lock(job.lock);
    state.written = written;
    if (written > state.counted) {
        // A segment fetched again after a bad answer is counted once.
        job.received += written - state.counted;
        state.counted = written;
    }
    if (job.report) job.report(kProgress, job.length, job.received);
    while (job.control == kPaused && !job.closing)
        job.changed.wait_for(lock, std::chrono::milliseconds(kSafetyWaitMs));
    return !SegmentedDownload::IsFinal(job.control) && !job.closing;
}

}  // namespace

Attempt FetchSegment(SegmentedDownload& job, HINTERNET session, int segment) {
    SegmentState& state = job.segments[segment];
    std::int64_t written = 0;
    {
        Lock lock(job.lock);
        ++state.attempts;
        written = state.written;
    }
    const std::int64_t start = job.SegmentStart(segment);
    const std::int64_t bytes = job.SegmentBytes(segment);
    // The range always names the whole segment's end, even past the resource's end on the last one.
    win::UniqueInternet request =
        OpenUrl(session, job.url, RangeHeaders(start + written, start + job.segmentSize - 1), job.options);
    if (!request) return Attempt::kFailed;
    if (!AnswerFits(job, request.get(), start + written, start + bytes - 1)) return Attempt::kFailed;

    // One view for the whole segment: segments start on multiples of 1 MiB, which the 64 KiB view
    // alignment divides.
    win::UniqueView view(MapViewOfFile(job.mapping.get(), FILE_MAP_WRITE, static_cast<DWORD>(start >> 32),
                                       static_cast<DWORD>(start & 0xFFFFFFFF), static_cast<SIZE_T>(bytes)));
    if (!view) return Attempt::kBroken;
    char* const base = static_cast<char*>(view.get());
    const std::int64_t chunk = std::clamp<std::int64_t>(job.options.readChunkBytes, 4096, job.segmentSize);

    while (written < bytes) {
        const DWORD want = static_cast<DWORD>(std::min(chunk, bytes - written));
        DWORD got = 0;
        // A connection closed in the middle of the body reads as a success of 0 bytes: only the
        // count tells a short segment from a whole one.
        if (!InternetReadFile(request.get(), base + written, want, &got) || got == 0 || got > want)
            return Attempt::kFailed;
        written += got;
        if (!RecordRead(job, state, written)) return Attempt::kLeft;
    }
    // Anything after the segment's last byte means the answer was not the range asked for, so the
    // bytes before it are not trusted either.
    char extra = 0;
    DWORD got = 0;
    if (!InternetReadFile(request.get(), &extra, 1, &got) || got != 0) {
        Lock lock(job.lock);
        state.written = 0;
        return Attempt::kFailed;
    }
    return Attempt::kComplete;
}

}  // namespace downloader::detail
