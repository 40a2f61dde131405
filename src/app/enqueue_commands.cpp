#include "app/enqueue_commands.h"

#include "app/link_resolution.h"
#include "app/main_window.h"
#include "app/title_notice.h"
#include "win/controls.h"

namespace app {

Enqueuer ProgramEnqueuer(AppContext& context) {
    return Enqueuer{
        [&context](bool video, const std::wstring& hash) {
            return video ? ResolveMvLink(context, hash) : ResolveSongLink(context, hash);
        },
        [&context](const std::wstring& fileName, const std::wstring& link) {
            context.downloadQueue->AddTask(fileName, link);
        },
        [](const std::wstring& text) { TitleNotice(text); },
        [&context] { return context.jobs.Stopping(); },
    };
}

namespace {

const std::wstring& SelectedHash(const AppState& state, Quality quality) {
    switch (quality) {
        case Quality::Standard: return state.selectedStandardHash;
        case Quality::High: return state.selectedHighHash;
        case Quality::Lossless: return state.selectedLosslessHash;
        case Quality::Mv: return state.selectedMvHash;
    }
    return state.selectedStandardHash;
}

}  // namespace

// On the window thread, so the window does not repaint while the resolver answers.
void EnqueueSelectedSong(MainWindow& window, Quality quality) {
    AppContext& context = window.Context();
    int row = window.List(kSongList).CurrentRow();
    std::wstring name = context.tables.songResults.Cell(row, 0);
    QualityTraits traits = TraitsOf(quality);
    EnqueueOne(ProgramEnqueuer(context), name, traits.extension, traits.videoLink,
               SelectedHash(context.state, quality));
}

void EnqueueSelectedMv(MainWindow& window) {
    AppContext& context = window.Context();
    int row = window.List(kMvList).CurrentRow();
    std::wstring name = context.tables.mvResults.Cell(row, 0);
    std::wstring hash = context.tables.mvResults.Cell(row, 2);
    context.jobs.Start([&context, name, hash] { EnqueueOne(ProgramEnqueuer(context), name, L".mkv", true, hash); });
}

void DownloadSongBatch(MainWindow& window) {
    AppContext& context = window.Context();
    if (context.tables.songResults.RowCount() == 0) return;
    // Read once, here: the batch keeps the quality it started with.
    std::optional<Quality> quality = QualityOfIndex(win::ComboBox(window.Control(kBatchQuality)).Current());
    if (!quality) return;
    context.jobs.Start([&context, quality = *quality] {
        EnqueueSongBatch(ProgramEnqueuer(context), context.tables.songResults, quality);
    });
}

void DownloadMvBatch(MainWindow& window) {
    AppContext& context = window.Context();
    if (context.tables.mvResults.RowCount() == 0) return;
    // The worker must not ask the window for the box, so the batch takes the tick it has when it starts.
    bool skipStandard = win::CheckBox(window.Control(kSkipStandardMv)).Ticked();
    context.jobs.Start([&context, skipStandard] {
        EnqueueMvBatch(ProgramEnqueuer(context), context.tables.mvResults, skipStandard);
    });
}

}  // namespace app
