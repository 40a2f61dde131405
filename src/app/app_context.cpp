#include "app/app_context.h"

#include "app/title_notice.h"

namespace app {

AppContext::AppContext(std::wstring runDir, std::unique_ptr<queue::DownloadEngine> engine)
    : runDirectory(std::move(runDir)),
      taskFile(runDirectory + L"\\" + queue::kTaskFileName),
      downloadEngine(engine ? std::move(engine) : queue::MakeSegmentedDownloadEngine()),
      localSongs(tables.localSongs, [](const std::wstring& text) { TitleNotice(text); }),
      queueUi(*this),
      downloadQueue(std::make_unique<queue::DownloadQueue>(tables.downloads, taskFile, *downloadEngine, queueUi)) {}

}  // namespace app
