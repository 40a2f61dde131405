#include "queue/download_engine.h"

namespace queue {
namespace {

class SegmentedDownloadEngine final : public DownloadEngine {
public:
    downloader::JobHandle Start(const std::wstring& url, const std::wstring& targetPath, int connections,
                                downloader::ReportRoutine report) override {
        return downloader::StartDownloadJob(url, targetPath, connections, std::move(report));
    }
    bool SetControl(downloader::JobHandle job, int control) override {
        return downloader::SetJobControl(job, control);
    }
};

}  // namespace

std::unique_ptr<DownloadEngine> MakeSegmentedDownloadEngine() { return std::make_unique<SegmentedDownloadEngine>(); }

}  // namespace queue
