#include "queue/download_engine.h"

namespace queue {
namespace {

class SegmentedDownloadEngine final : public DownloadEngine {
public:
    explicit SegmentedDownloadEngine(downloader::JobOptions options) : options_(std::move(options)) {}
    downloader::JobHandle Start(const std::wstring& url, const std::wstring& targetPath, int connections,
                                downloader::ReportRoutine report) override {
        return downloader::StartDownloadJob(url, targetPath, connections, std::move(report), options_);
    }
    bool SetControl(downloader::JobHandle job, int control) override {
        return downloader::SetJobControl(job, control);
    }

private:
    const downloader::JobOptions options_;
};

}  // namespace

std::unique_ptr<DownloadEngine> MakeSegmentedDownloadEngine(downloader::JobOptions options) {
    return std::make_unique<SegmentedDownloadEngine>(std::move(options));
}

}  // namespace queue
