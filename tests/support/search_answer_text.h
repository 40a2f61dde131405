#pragma once
// Small search answers in the service's JSON shape (UTF-8), for tests that serve result pages. Names and
// hashes go in as raw JSON string contents, so "<em>东来<\\/em>" is written with its backslash.
#include <string>
#include <vector>

namespace testing_support {

struct SongAnswerRecord {
    std::string name, standardHash, highHash, losslessHash, mvHash;
};
struct MvAnswerRecord {
    std::string name, quality, hash;
};

// One song record with every key the song pattern crosses, in the service's order.
inline std::string SongRecordJson(const SongAnswerRecord& r) {
    return R"({"SongName":"s","OwnerCount":1,"SQFileSize":10,"ResFileSize":0,"AlbumName":"a","Privilege":8,)"
           R"("FileName":")" + r.name + R"(","ID":"1","SQExtName":"flac","SQFileHash":")" + r.losslessHash +
           R"(","A320Privilege":10,"HQFileHash":")" + r.highHash +
           R"(","SuperExtName":"","HQFileSize":20,"FileSize":30,"Publish":1,"SingerName":"<em>东来东往<\/em>",)"
           R"("SQPrivilege":10,"MvHash":")" + r.mvHash + R"(","SQPkgPrice":1,"FileHash":")" + r.standardHash +
           R"("})";
}

inline std::string MvRecordJson(const MvAnswerRecord& r) {
    return R"({"MvName":"m","MvID":5,"MvHash":")" + r.hash + R"(","Price":0,"MvHashMark":")" + r.quality +
           R"(","Remark":"","FileName":")" + r.name +
           R"(","SingerName":"<em>东来东往<\/em>","HistoryHeat":50})";
}

// A whole answer around the records.
inline std::string SearchAnswerJson(const std::vector<std::string>& records) {
    std::string lists;
    for (const std::string& record : records) lists += (lists.empty() ? "" : ",") + record;
    return R"({"status":1,"error":"","data":{"total":)" + std::to_string(records.size()) + R"(,"lists":[)" +
           lists + "]}}";
}

inline std::string SongAnswerJson(const std::vector<SongAnswerRecord>& records) {
    std::vector<std::string> json;
    for (const auto& r : records) json.push_back(SongRecordJson(r));
    return SearchAnswerJson(json);
}

inline std::string MvAnswerJson(const std::vector<MvAnswerRecord>& records) {
    std::vector<std::string> json;
    for (const auto& r : records) json.push_back(MvRecordJson(r));
    return SearchAnswerJson(json);
}

}  // namespace testing_support
