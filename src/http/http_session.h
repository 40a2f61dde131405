#pragma once
// HttpSession: the program's HTTP client over WinINet. One session, one connection and one request at
// a time; between requests it keeps the default header values, a one-shot block of extra header lines,
// its own cookie jar and the last answer.
//
// Texts are bytes (URLs, header lines and cookies in code page 936); bodies are bytes in a std::string.
// Every operation takes the session's lock, and the lock is recursive, so a whole open–send–read
// sequence can hold it: use Get/GetText, or keep the guard of Lock() across the individual calls.
#include <windows.h>
#include <wininet.h>

#include <array>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "http/cookie_jar.h"
#include "http/header_block.h"
#include "http/url_parts.h"
#include "win/handle.h"

namespace http {

inline constexpr char kDefaultUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// One request as the session hands it to WinINet (every hop of a redirect chain is one).
struct SentRequest {
    std::string method;
    std::string url;
    std::string headers;  // the extra header text, CR LF after every line
    std::string body;
};
using SendObserver = std::function<void(const SentRequest&)>;

class HttpSession {
public:
    static constexpr int kMaxRedirects = 10;  // a chain stops here and keeps the last answer

    HttpSession();  // opens the session with kDefaultUserAgent
    ~HttpSession();
    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;

    // ---- Whole requests under the lock ----
    // GET of the URL; the body, or nothing when the request could not be opened or sent or the body
    // arrived incomplete.
    std::optional<std::string> Get(const std::string& url);
    // As Get, the body decoded from UTF-8.
    std::optional<std::wstring> GetText(const std::string& url);
    // Holds the session for a sequence of individual calls.
    [[nodiscard]] std::unique_lock<std::recursive_mutex> Lock() { return std::unique_lock(mutex_); }

    // ---- Life cycle and options ----
    void Open(const std::string& userAgent);
    void Close();  // unusable until Open
    void ResetHeaders();
    void Reopen(const std::string& userAgent = kDefaultUserAgent);

    void SetAutoHeaders(int enabled = 1);
    void SetFollowRedirects(int enabled = 1);
    void SetOption(DWORD option, std::string_view value);  // on every open handle
    void SetOption(DWORD option, DWORD value);
    // On the session and on every request it opens: WinINet under Wine does not pass the session's
    // values on to its requests.
    void SetTimeouts(int connectMs = 10000, int sendMs = 20000, int receiveMs = 30000);
    void SetProxy(const std::string& proxy, const std::optional<std::string>& userName = std::nullopt,
                  const std::optional<std::string>& password = std::nullopt);
    bool SetCredentials(const std::optional<std::string>& userName = std::nullopt,
                        const std::optional<std::string>& password = std::nullopt);
    void SetDecoding(int enabled = 1);

    // ---- The one-shot header block ----
    void AddHeader(std::string_view name, std::string_view value);
    void RemoveHeader(std::string_view name);
    void SetUserAgent(const std::optional<std::string>& value = std::nullopt);
    void SetReferer(const std::optional<std::string>& value = std::nullopt);
    void SetContentType(const std::optional<std::string>& value = std::nullopt);
    void SetAccept(const std::optional<std::string>& value = std::nullopt);
    void SetClientAddress(std::string_view address);

    // ---- Requests ----
    bool OpenRequest(std::string_view method, std::string_view url);
    // False when no request is open or it could not be sent (also when a redirect hop failed).
    bool Send(std::string_view body = {});
    bool SendText(std::string_view text = {}) { return Send(text); }

    // ---- The answer ----
    std::string ResponseBytes(int maxChunks = 0);  // read once per request, in pieces of 1024 bytes
    std::string ResponseText(int maxChunks = 0);   // the bytes up to the first zero byte
    std::wstring ResponseTextFromUtf8(int maxChunks = 0);
    std::string ResponseHeader(std::string_view name);
    std::string ResponseHeaders();
    std::string RedirectLocation();
    std::string ResolveLocation();
    int StatusCode();  // 0 when there is no answer
    // False when the body read failed or ended short of its Content-Length (only meaningful after a read).
    bool ResponseComplete();

    // ---- Cookies ----
    void HarvestCookies(std::string_view headerBlock);
    bool MergeCookies(std::string_view cookies);
    bool RemoveCookies(std::string_view names);
    std::string GetCookie(std::string_view name, int withName = 0);
    std::string CookieText();
    void SetCookieText(std::string_view text = {});

    // ---- What the session holds, for tests and diagnostics ----
    std::string LastRequestHeaders();             // the header text of the last HttpSendRequestA
    void SetSendObserver(SendObserver observer);  // called on the sending thread, under the lock
    std::string PendingHeaderBlock();
    std::string CookieJarText();
    std::string RequestUrl();
    UrlParts Target();  // scheme, host, port and path of the current request

private:
    enum DefaultHeader { kAccept, kReferer, kAcceptLanguage, kUserAgent, kContentType, kConnection, kDefaultCount };
    struct DefaultLine {
        std::string value;
        bool handled = false;  // the line for the next send is settled: Send adds no default line
    };

    static std::optional<DefaultHeader> DefaultHeaderOf(std::string_view normalisedName);
    void SetDefaultHeader(DefaultHeader which, std::string_view value);
    void ClearHandledFlags();
    void AppendDefaultLines();
    bool Transmit(std::string_view body);
    void FetchHeaderBlock();
    void TakeCookies();
    void ReadBody(int maxChunks);
    bool BodyLengthMatches();
    void ApplyTimeouts(HINTERNET handle);

    // Every field below is guarded by mutex_ and written by whichever thread holds it.
    std::recursive_mutex mutex_;
    win::UniqueInternet internet_;
    win::UniqueInternet connection_;
    win::UniqueInternet request_;
    bool followRedirects_ = true;
    bool decodeContent_ = false;
    bool autoHeaders_ = true;
    std::array<DWORD, 3> timeouts_{};  // connect, send, receive in ms; every request gets them too
    UrlParts target_;                  // of the current request
    std::string method_;               // of the current request
    std::string requestUrl_;           // as the caller gave it to the last successful OpenRequest
    bool isPost_ = false;
    HeaderBlock headerBlock_;
    std::array<DefaultLine, kDefaultCount> defaults_;
    bool refererFixed_ = false;  // SetReferer fixed the value; OpenRequest leaves it alone
    CookieJar jar_;
    bool cookiesTaken_ = false;  // the Set-Cookie lines of responseHeaders_ are in the jar
    std::string responseHeaders_;
    std::string body_;
    bool bodyRead_ = false;
    bool bodyComplete_ = false;
    std::string lastRequestHeaders_;
    SendObserver observer_;
};

}  // namespace http
