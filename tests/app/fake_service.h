#pragma once
// The three web endpoints the program talks to, played by one loopback server: song-search and
// MV-search pages by page number, resolver answers by hash, and downloadable files by path. Anything
// not scripted answers with an empty body.
#include <windows.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "support/http_test_server.h"

namespace apptest {

class FakeService {
public:
    FakeService();

    // Scripted answers; any thread, any time.
    void SetSongPage(int page, std::string body);
    void SetMvPage(int page, std::string body);
    void SetLink(const std::string& lowerCaseHash, std::string body);
    void SetFile(const std::string& path, std::string bytes);
    // Called on the server's thread for every request, before it is answered.
    void OnRequest(std::function<void(const testing_support::RecordedRequest&)> observer);

    std::string BaseUrl() const { return server_.BaseUrl(); }
    // The targets of the requests whose path starts with `path`, in the order they came.
    std::vector<std::string> Targets(const std::string& path) const;
    size_t RequestCount() const { return server_.RequestCount(); }

    // test.ini's [接口] section pointing all three endpoints at this server.
    void WriteEndpoints(const std::wstring& runDirectory) const;

private:
    testing_support::Response Answer(const testing_support::RecordedRequest& request);

    mutable std::mutex mutex_;
    std::map<int, std::string> songPages_, mvPages_;                         // guarded by mutex_
    std::map<std::string, std::string> links_;                               // guarded by mutex_
    std::map<std::string, std::string> files_;                               // guarded by mutex_
    std::function<void(const testing_support::RecordedRequest&)> observer_;  // guarded by mutex_
    testing_support::HttpTestServer server_;  // last: its threads stop before the scripts go
};

// The value of one query parameter of a request target ("" when absent).
std::string QueryValue(const std::string& target, const std::string& name);

}  // namespace apptest
