#pragma once
#include <windows.h>
#include <wininet.h>

#include <vector>

#include "downloader/download_job.h"
#include "downloader/worker_window.h"

namespace downloader::detail {

enum class Attempt {
    kComplete,   // every byte of the segment is in the file
    kFailed,     // this connection could not deliver the segment; another attempt may
    kBroken,     // a local failure no new connection can mend: the job fails
    kLeft,       // the job is failing or stopping; the worker gave up its segment
    kAbandoned,  // the supervisor gave up on this worker during a call that outlived its time-out
};

// One attempt at a segment over the session: a Range request from the segment's first unwritten byte,
// read through `buffer` into the worker's window on the file, progress reported after every read.
Attempt FetchSegment(SegmentedDownload& job, int slot, HINTERNET session, int segment, std::vector<char>& buffer,
                     WorkerWindow& window);

}  // namespace downloader::detail
