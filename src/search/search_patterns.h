#pragma once
// The patterns that cut song and MV records out of the search answers, and the groups taken from them.
// Each is literal text plus lazy groups; the groups that are not taken only carry a match across the
// keys that lie between the ones read.
#include <string_view>

namespace search {

// One song record: its keys in this order, ending with the "FileHash" value and a closing brace.
inline constexpr std::wstring_view kSongPattern =
    LR"pat({"SongName":"(.*?)","OwnerCount":(.*?)SQFileSize":(.*?),"ResFileSize":(.*?)AlbumName":"(.*?)","Privilege":(.*?)FileName":"(.*?)","ID":"(.*?)SQFileHash":"(.*?)","A320Privilege":(.*?)HQFileHash":"(.*?)","SuperExtName":(.*?)HQFileSize":(.*?),"FileSize":(.*?),"Publish":(.*?)SingerName":"(.*?)","SQPrivilege":(.*?)MvHash":"(.*?)","SQPkgPrice":(.*?)FileHash":"(.*?)"})pat";
inline constexpr int kSongNameGroup = 7;
inline constexpr int kSongStandardHashGroup = 20;
inline constexpr int kSongHighHashGroup = 11;
inline constexpr int kSongLosslessHashGroup = 9;
inline constexpr int kSongMvHashGroup = 18;

// One video record: from the brace before "MvName" to the first closing brace after "FileName".
inline constexpr std::wstring_view kMvPattern =
    LR"pat({"MvName":"(.*?)MvHash":"(.*?)","(.*?)MvHashMark":"(.*?)","(.*?)FileName":"(.*?)","(.*?)})pat";
inline constexpr int kMvNameGroup = 6;
inline constexpr int kMvQualityGroup = 4;
inline constexpr int kMvHashGroup = 2;

}  // namespace search
