#pragma once
// The status bar texts of preview and local play.
namespace library {

inline constexpr wchar_t kPreviewIdleText[] = L"等待选择试听歌曲";
inline constexpr wchar_t kPreviewNoLinkText[] = L"获取试听地址失败,请重试";
inline constexpr wchar_t kPreviewStartingNotice[] = L"开始播放试听音乐";
inline constexpr wchar_t kPreviewPlayingPrefix[] = L"正在试听：";
inline constexpr wchar_t kPreviewStoppedText[] = L"已停止试听";
inline constexpr wchar_t kPreviewFinishedText[] = L"试听完毕";

// Status bar cells: 1 tells what plays, 3 shows the preview volume.
inline constexpr int kPlayingCell = 1;
inline constexpr int kVolumeCell = 3;

inline constexpr unsigned kPreviewTimerMs = 1000;

// LocalSongList: column 1 holds the file name, column 2 the kind ("音乐" for songs).
inline constexpr wchar_t kMusicKind[] = L"音乐";

}  // namespace library
