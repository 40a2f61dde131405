#include "answers.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace demo {
namespace {

bool Matches(const std::string& singer, const std::string& title, const std::string& keyword) {
    return keyword.empty() || singer.find(keyword) != std::string::npos || title.find(keyword) != std::string::npos;
}

template <typename Item, typename Writer>
std::string Page(const std::vector<Item>& items, const std::string& keyword, int page, int pageSize,
                 Writer write) {
    std::vector<const Item*> hits;
    for (const auto& it : items)
        if (Matches(it.singer, it.title, keyword)) hits.push_back(&it);
    std::string lists;
    if (page >= 1 && pageSize >= 1) {
        size_t first = static_cast<size_t>(page - 1) * pageSize;
        for (size_t i = first; i < hits.size() && i < first + pageSize; ++i) {
            if (!lists.empty()) lists += ',';
            lists += write(*hits[i]);
        }
    }
    return "{\"status\":1,\"error\":\"\",\"data\":{\"page\":" + std::to_string(page) +
           ",\"tab\":\"\",\"correctiontip\":\"\",\"forcecorrection\":0,\"lists\":[" + lists +
           "],\"total\":" + std::to_string(hits.size()) + "},\"errcode\":0}";
}

std::string Upper(std::string s) {
    for (auto& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

}  // namespace

std::string JsonEscape(const std::string& utf8) {
    std::string out;
    for (unsigned char ch : utf8) {
        switch (ch) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '/': out += "\\/"; break;
            default:
                if (ch < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", ch);
                    out += buf;
                } else {
                    out += static_cast<char>(ch);
                }
        }
    }
    return out;
}

std::string Highlight(const std::string& escaped, const std::string& keyword) {
    const std::string needle = JsonEscape(keyword);
    if (needle.empty()) return escaped;
    std::string out;
    size_t pos = 0;
    for (size_t hit; (hit = escaped.find(needle, pos)) != std::string::npos; pos = hit + needle.size())
        out += escaped.substr(pos, hit - pos) + "<em>" + needle + "<\\/em>";
    return out + escaped.substr(pos);
}

std::string SongPageJson(const Catalogue& c, const std::string& keyword, int page, int pageSize) {
    int id = 100000;
    return Page(c.songs, keyword, page, pageSize, [&](const Song& s) {
        const std::string fileName = Highlight(JsonEscape(s.singer + " - " + s.title), keyword);
        const std::string sizeBase = std::to_string(3000000 + (id % 97) * 10007);
        ++id;
        // Keys in the order the service sends them; only some of them are read by the program.
        return "{\"SongName\":\"" + Highlight(JsonEscape(s.title), keyword) + "\",\"OwnerCount\":" +
               std::to_string(id % 5000) + ",\"MvType\":2,\"TopicRemark\":\"\",\"SQFailProcess\":0,\"Source\":\"\","
               "\"Bitrate\":128,\"HQExtName\":\"mp3\",\"SQFileSize\":" + (s.losslessHash.empty() ? "0" : sizeBase + "7") +
               ",\"ResFileSize\":0,\"Duration\":" + std::to_string(180 + id % 120) + ",\"AlbumName\":\"" +
               JsonEscape(s.album) + "\",\"Privilege\":8,\"OriSongName\":\"" + JsonEscape(s.title) +
               "\",\"Accompany\":1,\"FileName\":\"" + fileName + "\",\"ID\":\"" + std::to_string(id) +
               "\",\"Audioid\":" + std::to_string(id * 7) + ",\"SQFileHash\":\"" + s.losslessHash +
               "\",\"A320Privilege\":10,\"HQFileHash\":\"" + s.highHash +
               "\",\"SuperExtName\":\"\",\"SuperFileSize\":0,\"HQFileSize\":" +
               (s.highHash.empty() ? "0" : sizeBase + "3") + ",\"FileSize\":" + sizeBase +
               ",\"Publish\":1,\"AlbumID\":\"" + std::to_string(id / 10) + "\",\"SingerName\":\"" +
               Highlight(JsonEscape(s.singer), keyword) + "\",\"SQPrivilege\":10,\"ExtName\":\"mp3\",\"MvHash\":\"" +
               s.mvHash + "\",\"SQPkgPrice\":1,\"PayType\":0,\"FileHash\":\"" + s.standardHash + "\"}";
    });
}

std::string MvPageJson(const Catalogue& c, const std::string& keyword, int page, int pageSize) {
    int id = 5000;
    return Page(c.mvs, keyword, page, pageSize, [&](const Mv& m) {
        ++id;
        return "{\"MvName\":\"" + Highlight(JsonEscape(m.title), keyword) + "\",\"MvID\":" + std::to_string(id) +
               ",\"MvHash\":\"" + m.hash + "\",\"SingerName\":\"" + Highlight(JsonEscape(m.singer), keyword) +
               "\",\"MvHashMark\":\"" + m.mark + "\",\"Duration\":" + std::to_string(200 + id % 90) +
               ",\"FileName\":\"" + Highlight(JsonEscape(m.singer + " - " + m.title), keyword) +
               "\",\"Pic\":\"" + std::to_string(id) + ".jpg\"}";
    });
}

std::string ResolveLink(const Catalogue& c, const std::string& kind, const std::string& hash,
                        const std::string& fileBase) {
    const std::string h = Upper(hash);
    if (h.empty() || h == "00000000000000000000000000000000") return {};
    if (kind == "mp3") {
        for (const auto& s : c.songs) {
            if (h == s.standardHash || h == s.highHash) return fileBase + "/files/" + h + ".mp3";
            if (h == s.losslessHash) return fileBase + "/files/" + h + ".flac";
        }
    } else if (kind == "mkv") {
        for (const auto& s : c.songs)
            if (h == s.mvHash) return fileBase + "/files/" + h + ".mkv";
        for (const auto& m : c.mvs)
            if (h == m.hash) return fileBase + "/files/" + h + m.extension;
    }
    return {};
}

}  // namespace demo
