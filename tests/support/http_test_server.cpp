#include "support/http_test_server.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "support/http_text.h"

namespace testing_support {

namespace {

constexpr int kPollMs = 50;  // how often a blocked socket wait looks at the stop flag

void SetNonBlocking(SOCKET s) {
    u_long on = 1;
    ioctlsocket(s, FIONBIO, &on);
}

}  // namespace

struct HttpTestServer::State {
    // Written by the destructor only; read by every server thread.
    std::atomic<bool> stopping{false};
    SOCKET listener = INVALID_SOCKET;  // set in the constructor, closed after the acceptor ended
    uint16_t port = 0;                 // set in the constructor

    // Everything below is guarded by `mutex`; written by the acceptor (connections, workers), the
    // connection threads (requests, inFlight, maxInFlight) and the test thread (handler, requests).
    mutable std::mutex mutex;
    std::condition_variable stopSignal;  // wakes delays and stalls when the server stops
    Handler handler;
    std::vector<RecordedRequest> requests;
    int connections = 0;
    int inFlight = 0;
    int maxInFlight = 0;
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::vector<Worker> workers;

    std::thread acceptor;  // started and joined by the owner

    // Sleeps up to `ms`; true when the server began stopping meanwhile.
    bool SleepOrStop(int ms) {
        std::unique_lock lock(mutex);
        return stopSignal.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping.load(); });
    }

    // Waits until the socket can be read (or written); false when stopping or on a socket error.
    bool WaitReady(SOCKET s, bool write) {
        while (!stopping) {
            fd_set set;
            FD_ZERO(&set);
            FD_SET(s, &set);
            fd_set errors;
            FD_ZERO(&errors);
            FD_SET(s, &errors);
            timeval tv{0, kPollMs * 1000};
            int n = select(0, write ? nullptr : &set, write ? &set : nullptr, &errors, &tv);
            if (n == SOCKET_ERROR) return false;
            if (n > 0) return !FD_ISSET(s, &errors) || FD_ISSET(s, &set);
        }
        return false;
    }

    // Appends what arrives to `buffer`; false when the peer closed, on error, or when stopping.
    bool Receive(SOCKET s, std::string& buffer) {
        char chunk[16384];
        for (;;) {
            if (!WaitReady(s, false)) return false;
            int n = recv(s, chunk, sizeof chunk, 0);
            if (n > 0) {
                buffer.append(chunk, static_cast<size_t>(n));
                return true;
            }
            if (n == 0) return false;
            if (WSAGetLastError() != WSAEWOULDBLOCK) return false;
        }
    }

    bool SendAll(SOCKET s, std::string_view data) {
        while (!data.empty()) {
            if (!WaitReady(s, true)) return false;
            int part = static_cast<int>(std::min<size_t>(data.size(), 1 << 20));
            int n = send(s, data.data(), part, 0);
            if (n == SOCKET_ERROR) {
                if (WSAGetLastError() == WSAEWOULDBLOCK) continue;
                return false;
            }
            data.remove_prefix(static_cast<size_t>(n));
        }
        return true;
    }

    // A slow server: the bytes go out in small pieces twenty times a second.
    bool SendSlowly(SOCKET s, std::string_view data, int bytesPerSecond) {
        size_t piece = std::max(1, bytesPerSecond / 20);
        while (!data.empty()) {
            size_t n = std::min(piece, data.size());
            if (!SendAll(s, data.substr(0, n))) return false;
            data.remove_prefix(n);
            if (!data.empty() && SleepOrStop(kPollMs)) return false;
        }
        return true;
    }

    void EnterRequest() {
        std::lock_guard lock(mutex);
        maxInFlight = std::max(maxInFlight, ++inFlight);
    }
    void LeaveRequest() {
        std::lock_guard lock(mutex);
        --inFlight;
    }

    Response Answer(const RecordedRequest& request) {
        Handler h;
        {
            std::lock_guard lock(mutex);
            requests.push_back(request);
            h = handler;
        }
        try {
            if (h) return h(request);
        } catch (const std::exception& e) {
            Response r;
            r.status = 500;
            r.body = e.what();
            return r;
        } catch (...) {
        }
        Response r;
        r.status = 500;
        return r;
    }

    // Sends one answer; false when the connection must end after it.
    bool Send(SOCKET s, const RecordedRequest& request, const Response& r) {
        if (r.delayMs > 0 && SleepOrStop(r.delayMs)) return false;
        bool headOnly = request.method == "HEAD";
        bool clientCloses = EqualsIgnoreCase(request.Header("Connection"), "close");
        bool closeAfter = r.close || !r.contentLength || clientCloses;
        std::string head = BuildResponseHead(r, closeAfter);
        std::string_view body = headOnly ? std::string_view() : std::string_view(r.body);
        bool dropping = !headOnly && r.dropAfter < body.size();
        if (dropping) body = body.substr(0, r.dropAfter);

        bool sent;
        if (r.bytesPerSecond > 0) {
            sent = SendAll(s, head) && SendSlowly(s, body, r.bytesPerSecond);
        } else if (body.size() > 65536) {
            sent = SendAll(s, head) && SendAll(s, body);  // no copy of a large body
        } else {
            sent = SendAll(s, head + std::string(body));  // one segment for the usual small answer
        }
        if (!sent) return false;
        if (dropping) {
            if (r.stallMs > 0) SleepOrStop(r.stallMs);
            if (r.reset) {
                linger hard{1, 0};
                setsockopt(s, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof hard);
            }
            return false;
        }
        return !closeAfter;
    }

    void Serve(SOCKET s, int connection, bool& abrupt) {
        std::string buffer;
        for (;;) {
            size_t headEnd;
            while ((headEnd = buffer.find("\r\n\r\n")) == std::string::npos) {
                if (!Receive(s, buffer)) return;
            }
            RecordedRequest request = ParseRequestHead(buffer.substr(0, headEnd + 2));
            request.connection = connection;
            buffer.erase(0, headEnd + 4);
            size_t length = ContentLengthOf(request);
            while (buffer.size() < length) {
                if (!Receive(s, buffer)) return;
            }
            request.body = buffer.substr(0, length);
            buffer.erase(0, length);

            EnterRequest();
            Response response = Answer(request);
            bool keepOpen = Send(s, request, response);
            LeaveRequest();
            if (!keepOpen) {
                abrupt = response.reset && response.dropAfter < response.body.size();
                return;
            }
        }
    }

    void ConnectionThread(SOCKET s, int connection) noexcept {
        bool abrupt = false;
        try {
            Serve(s, connection, abrupt);
        } catch (...) {
        }
        if (!abrupt) shutdown(s, SD_SEND);
        closesocket(s);
    }

    void AcceptLoop() noexcept {
        while (WaitReady(listener, false)) {
            SOCKET s = accept(listener, nullptr, nullptr);
            if (s == INVALID_SOCKET) continue;
            SetNonBlocking(s);
            BOOL noDelay = TRUE;
            setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
            try {
                std::lock_guard lock(mutex);
                ReapFinishedWorkers();
                int id = ++connections;
                auto done = std::make_shared<std::atomic<bool>>(false);
                std::thread t([this, s, id, done] {
                    ConnectionThread(s, id);
                    *done = true;
                });
                workers.push_back({std::move(t), done});
            } catch (...) {
                closesocket(s);
            }
        }
    }

    // Joins connection threads that have ended, so a long test does not collect them.
    void ReapFinishedWorkers() {
        auto finished = std::partition(workers.begin(), workers.end(), [](const Worker& w) { return !*w.done; });
        for (auto it = finished; it != workers.end(); ++it) it->thread.join();
        workers.erase(finished, workers.end());
    }
};

HttpTestServer::HttpTestServer(Handler handler) : state_(std::make_unique<State>()) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
    state_->handler = std::move(handler);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int size = sizeof address;
    if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(s, SOMAXCONN) != 0 || getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (s != INVALID_SOCKET) closesocket(s);
        WSACleanup();
        throw std::runtime_error("the test server cannot listen on 127.0.0.1");
    }
    SetNonBlocking(s);
    state_->listener = s;
    state_->port = ntohs(address.sin_port);
    state_->acceptor = std::thread([state = state_.get()] { state->AcceptLoop(); });
}

HttpTestServer::~HttpTestServer() {
    {
        std::lock_guard lock(state_->mutex);
        state_->stopping = true;
    }
    state_->stopSignal.notify_all();
    state_->acceptor.join();
    closesocket(state_->listener);
    std::vector<State::Worker> workers;
    {
        std::lock_guard lock(state_->mutex);
        workers.swap(state_->workers);
    }
    for (auto& w : workers) w.thread.join();
    WSACleanup();
}

uint16_t HttpTestServer::port() const {
    return state_->port;
}

std::string HttpTestServer::BaseUrl() const {
    return "http://127.0.0.1:" + std::to_string(state_->port);
}

std::vector<RecordedRequest> HttpTestServer::Requests() const {
    std::lock_guard lock(state_->mutex);
    return state_->requests;
}

size_t HttpTestServer::RequestCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->requests.size();
}

int HttpTestServer::ConnectionCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->connections;
}

void HttpTestServer::ClearRequests() {
    std::lock_guard lock(state_->mutex);
    state_->requests.clear();
}

int HttpTestServer::MaxInFlight() const {
    std::lock_guard lock(state_->mutex);
    return state_->maxInFlight;
}

void HttpTestServer::SetHandler(Handler handler) {
    std::lock_guard lock(state_->mutex);
    state_->handler = std::move(handler);
}

}  // namespace testing_support
