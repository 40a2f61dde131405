#include "app/local_song_commands.h"

#include "app/main_window.h"

namespace app {

void RefreshLocalList(AppContext& context) { context.localSongs.StartRefresh(context.state.DownloadFolder()); }

void RemoveLocalSongRow(MainWindow& window) {
    window.Context().localSongs.RemoveRow(window.List(kLocalList).CurrentRow());
}

void DeleteLocalSong(MainWindow& window) {
    AppContext& context = window.Context();
    context.localSongs.DeleteSong(context.state.DownloadFolder(), window.List(kLocalList).CurrentRow());
}

}  // namespace app
