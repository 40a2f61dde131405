#pragma once
// What the queue needs from a download engine. The program uses the segmented downloader
// (SegmentedDownloadEngine); tests drive the queue with a scripted engine.
#include <memory>
#include <string>

#include "downloader/segmented_download.h"

namespace queue {

class DownloadEngine {
public:
    virtual ~DownloadEngine() = default;
    // Blocks while the job starts; returns its handle or downloader::kNoJob (then `report` is never called).
    virtual downloader::JobHandle Start(const std::wstring& url, const std::wstring& targetPath, int connections,
                                        downloader::ReportRoutine report) = 0;
    // Writes the job's control word; false when the job has ended (or never existed).
    virtual bool SetControl(downloader::JobHandle job, int control) = 0;
};

// The segmented downloader behind the interface above; tests shorten its time-outs through `options`.
std::unique_ptr<DownloadEngine> MakeSegmentedDownloadEngine(downloader::JobOptions options = {});

}  // namespace queue
