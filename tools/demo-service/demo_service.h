#pragma once
// The offline stand-in for the three web endpoints and the file host: song search, MV search,
// the link resolver and the files themselves (with Range support), on 127.0.0.1 only.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "catalogue.h"

namespace testing_support {
class HttpTestServer;
}

namespace demo {

class DemoService {
public:
    // `audio` holds the playable sample files ("name.ext" → bytes) that stand in for every song.
    explicit DemoService(std::map<std::string, std::string> audio);
    ~DemoService();

    std::string BaseUrl() const;  // "http://127.0.0.1:<port>"
    std::uint16_t Port() const;

    // The bytes served for a file name such as "0123….mp3" ("" when unknown).
    std::string FileBytes(const std::string& fileName) const;

    // Requests seen so far, as "METHOD target" lines (for tests and the console).
    std::vector<std::string> RequestLog() const;

private:
    const Catalogue& catalogue_;
    std::vector<std::pair<std::string, std::string>> audio_;  // sorted by name; read-only after start
    std::unique_ptr<testing_support::HttpTestServer> server_;
};

// Loads every *.mp3, *.flac and *.wav file of a folder.
std::map<std::string, std::string> LoadAudioFolder(const std::wstring& folder);

// Percent-decodes a query value ("+" stays "+": the program encodes blanks as %20).
std::string PercentDecode(const std::string& text);
// The value of one query parameter of a request target, decoded; "" when absent.
std::string QueryValue(const std::string& target, const std::string& name);

}  // namespace demo
