#include "fake_service.h"

namespace apptest {

using testing_support::RecordedRequest;
using testing_support::Response;

FakeService::FakeService() : server_([this](const RecordedRequest& request) { return Answer(request); }) {}

void FakeService::SetSongPage(int page, std::string body) {
    std::lock_guard lock(mutex_);
    songPages_[page] = std::move(body);
}

void FakeService::SetMvPage(int page, std::string body) {
    std::lock_guard lock(mutex_);
    mvPages_[page] = std::move(body);
}

void FakeService::SetLink(const std::string& lowerCaseHash, std::string body) {
    std::lock_guard lock(mutex_);
    links_[lowerCaseHash] = std::move(body);
}

void FakeService::SetFile(const std::string& path, std::string bytes) {
    std::lock_guard lock(mutex_);
    files_[path] = std::move(bytes);
}

void FakeService::OnRequest(std::function<void(const RecordedRequest&)> observer) {
    std::lock_guard lock(mutex_);
    observer_ = std::move(observer);
}

std::vector<std::string> FakeService::Targets(const std::string& path) const {
    std::vector<std::string> targets;
    for (const RecordedRequest& request : server_.Requests())
        if (request.target.starts_with(path)) targets.push_back(request.target);
    return targets;
}

void FakeService::WriteEndpoints(const std::wstring& runDirectory) const {
    std::string base = BaseUrl();
    std::wstring host(base.begin(), base.end());
    std::wstring ini = runDirectory + L"\\test.ini";
    for (const wchar_t* key : {L"歌曲搜索", L"MV搜索", L"链接解析"})
        WritePrivateProfileStringW(L"接口", key, host.c_str(), ini.c_str());
}

Response FakeService::Answer(const RecordedRequest& request) {
    std::function<void(const RecordedRequest&)> observer;
    {
        std::lock_guard lock(mutex_);
        observer = observer_;
    }
    if (observer) observer(request);

    std::lock_guard lock(mutex_);
    const std::string& target = request.target;
    std::string path = target.substr(0, target.find('?'));
    auto find = [](const auto& map, const auto& key) {
        auto found = map.find(key);
        return found == map.end() ? std::string() : found->second;
    };
    if (path == "/song_search_v2" || path == "/mv_search") {
        int page = std::atoi(QueryValue(target, "page").c_str());
        Response r;
        r.body = find(path == "/mv_search" ? mvPages_ : songPages_, page);
        return r;
    }
    if (path == "/kuwo/flac.php") {
        Response r;
        r.body = find(links_, QueryValue(target, "hash"));
        return r;
    }
    if (files_.count(path)) return testing_support::ServeBytes({{path, files_[path]}})(request);
    return Response{};
}

std::string QueryValue(const std::string& target, const std::string& name) {
    size_t query = target.find('?');
    if (query == std::string::npos) return {};
    // Every parameter, the first included, stands between "&" and "=".
    std::string rest(1, '&');
    rest.append(target, query + 1).push_back('&');
    std::string key(1, '&');
    key.append(name).push_back('=');
    size_t at = rest.find(key);
    if (at == std::string::npos) return {};
    size_t start = at + key.size();
    return rest.substr(start, rest.find('&', start) - start);
}

}  // namespace apptest
