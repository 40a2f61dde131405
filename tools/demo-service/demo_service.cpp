#include "demo_service.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "answers.h"
#include "support/http_test_server.h"
#include "win/file_io.h"
#include "win/text.h"

namespace demo {

using testing_support::RecordedRequest;
using testing_support::Response;

std::string PercentDecode(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string QueryValue(const std::string& target, const std::string& name) {
    size_t q = target.find('?');
    if (q == std::string::npos) return {};
    std::string query = target.substr(q + 1);
    size_t pos = 0;
    while (pos <= query.size()) {
        size_t amp = query.find('&', pos);
        std::string pair = query.substr(pos, amp == std::string::npos ? std::string::npos : amp - pos);
        size_t eq = pair.find('=');
        if (pair.substr(0, eq) == name) return eq == std::string::npos ? "" : PercentDecode(pair.substr(eq + 1));
        if (amp == std::string::npos) break;
        pos = amp + 1;
    }
    return {};
}

std::map<std::string, std::string> LoadAudioFolder(const std::wstring& folder) {
    std::map<std::string, std::string> files;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return files;
    do {
        std::wstring name = fd.cFileName;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        size_t dot = name.rfind(L'.');
        std::wstring ext = dot == std::wstring::npos ? L"" : name.substr(dot);
        if (ext != L".mp3" && ext != L".flac" && ext != L".wav") continue;
        if (auto bytes = win::ReadWholeFile(folder + L"\\" + name)) files[win::WideToUtf8(name)] = std::move(*bytes);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return files;
}

DemoService::DemoService(std::map<std::string, std::string> audio)
    : catalogue_(DemoCatalogue()), audio_(audio.begin(), audio.end()) {
    server_ = std::make_unique<testing_support::HttpTestServer>([this](const RecordedRequest& req) {
        const std::string path = req.target.substr(0, req.target.find('?'));
        Response r;
        r.headers.push_back({"Content-Type", "text/plain; charset=utf-8"});
        if (path == "/song_search_v2" || path == "/mv_search") {
            const std::string keyword = QueryValue(req.target, "keyword");
            const int page = std::atoi(QueryValue(req.target, "page").c_str());
            int pageSize = std::atoi(QueryValue(req.target, "pagesize").c_str());
            if (pageSize <= 0) pageSize = path == "/mv_search" ? 30 : 40;
            r.body = path == "/mv_search" ? MvPageJson(catalogue_, keyword, page, pageSize)
                                          : SongPageJson(catalogue_, keyword, page, pageSize);
            return r;
        }
        if (path == "/kuwo/flac.php") {
            r.body = ResolveLink(catalogue_, QueryValue(req.target, "i"), QueryValue(req.target, "hash"), BaseUrl());
            return r;
        }
        if (path.rfind("/files/", 0) == 0) {
            const std::string name = path.substr(7);
            const std::string bytes = FileBytes(name);
            if (bytes.empty()) {
                r.status = 404;
                r.body = "not found";
                return r;
            }
            r = testing_support::ServeRange(req, bytes);
            r.headers.insert(r.headers.begin(), {"Content-Type", "application/octet-stream"});
            const std::string hash = name.substr(0, name.find('.'));
            for (const auto& s : catalogue_.songs)
                if (s.broken && (hash == s.standardHash || hash == s.highHash || hash == s.losslessHash)) {
                    // This song's host never finishes a transfer: every answer breaks off early.
                    r.dropAfter = std::min<size_t>(r.body.size() / 2, 4096);
                    r.reset = true;
                }
            return r;
        }
        r.status = 404;
        r.body = "not found";
        return r;
    });
}

DemoService::~DemoService() = default;

std::string DemoService::BaseUrl() const { return server_->BaseUrl(); }
std::uint16_t DemoService::Port() const { return server_->port(); }

std::string DemoService::FileBytes(const std::string& fileName) const {
    size_t dot = fileName.find('.');
    if (dot == std::string::npos || audio_.empty()) return {};
    const std::string hash = fileName.substr(0, dot), ext = fileName.substr(dot);
    // Only hashes the resolver hands out have files, each mapped to one of the sample files.
    if (ResolveLink(catalogue_, ext == ".mkv" || ext == ".mp4" ? "mkv" : "mp3", hash, "").empty()) return {};
    std::vector<const std::pair<std::string, std::string>*> pool;
    const std::string want = ext == ".flac" ? ".flac" : ".mp3";
    for (const auto& f : audio_)
        if (f.first.size() > want.size() && f.first.compare(f.first.size() - want.size(), want.size(), want) == 0)
            pool.push_back(&f);
    if (pool.empty())
        for (const auto& f : audio_) pool.push_back(&f);
    if (ext == ".mkv" || ext == ".mp4") {
        // Videos get the largest sample, so they run over several segments.
        auto largest = std::max_element(pool.begin(), pool.end(),
                                        [](auto* a, auto* b) { return a->second.size() < b->second.size(); });
        return (*largest)->second;
    }
    unsigned sum = 0;
    for (unsigned char ch : hash) sum += ch;
    return pool[sum % pool.size()]->second;
}

std::vector<std::string> DemoService::RequestLog() const {
    std::vector<std::string> log;
    for (const auto& r : server_->Requests()) log.push_back(r.method + " " + r.target);
    return log;
}

}  // namespace demo
