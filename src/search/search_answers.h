#pragma once
// Turns the body of a song-search or MV-search answer into result rows.
#include <string>
#include <string_view>
#include <vector>

namespace search {

// One row of the song result list. The hashes are the answer's text as it stands; an empty hash (or,
// for some qualities, 32 zeros) means the quality is not offered.
struct SongRow {
    std::wstring name;  // "FileName" without the highlight tags
    std::wstring standardHash;
    std::wstring highHash;
    std::wstring losslessHash;
    std::wstring mvHash;

    // The cells in column order: 歌名, 标准, 高质, 无损, 视频.
    std::vector<std::wstring> Cells() const { return {name, standardHash, highHash, losslessHash, mvHash}; }
    bool operator==(const SongRow&) const = default;
};

// One row of the MV result list.
struct MvRow {
    std::wstring name;     // "FileName" without the highlight tags
    std::wstring quality;  // "MvHashMark", such as "标清"
    std::wstring hash;     // "MvHash"

    // The cells in column order: 歌名, 质量, HASH.
    std::vector<std::wstring> Cells() const { return {name, quality, hash}; }
    bool operator==(const MvRow&) const = default;
};

// The rows of one answer, in the order of its records; none for an empty or unreadable body. Apart from
// the highlight tags nothing in the values is unescaped.
std::vector<SongRow> ParseSongPage(std::wstring_view body);
std::vector<MvRow> ParseMvPage(std::wstring_view body);

// The names as the service highlights them ("<em>东来<\/em>东往") and as the lists show them ("东来东往").
std::wstring WithoutHighlightTags(std::wstring_view name);

}  // namespace search
