#include "app/rename_command.h"

#include "app/main_window.h"
#include "app/rename_dialog.h"

namespace app {

void RenameResult(MainWindow& window, int list) {
    CommandId view = list == kRenameSongList ? kSongList : kMvList;
    window.Renamer().Open(list, window.List(view).CurrentRow());
}

}  // namespace app
