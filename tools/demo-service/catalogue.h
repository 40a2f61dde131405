#pragma once
// The offline demo's catalogue: a few singers with their songs and music videos, in every quality
// combination the real service shows (missing qualities, thirty-two-zero lossless hashes, empty MV
// hashes, 标清/高清/超清 videos, Korean and awkward titles).
#include <string>
#include <vector>

namespace demo {

struct Song {
    std::string singer;         // UTF-8
    std::string title;          // UTF-8, as the service writes it (before JSON escaping)
    std::string album;
    std::string standardHash;   // 32 upper-case hex digits, or "" when not offered
    std::string highHash;       // "" when not offered
    std::string losslessHash;   // "", 32 hex digits, or 32 zeros
    std::string mvHash;         // "" when the song has no video
    bool broken = false;        // its files drop the connection on every request
};

struct Mv {
    std::string singer;
    std::string title;
    std::string mark;           // "标清", "高清" or "超清"
    std::string hash;           // "" when the service gives none
    std::string extension;      // ".mkv" as a rule, ".mp4" for one video
};

struct Catalogue {
    std::vector<Song> songs;
    std::vector<Mv> mvs;
};

const Catalogue& DemoCatalogue();

// A stable 32-digit upper-case hex hash of a text (the demo's stand-in for file hashes).
std::string HashOf(const std::string& text);

}  // namespace demo
