#pragma once
// Fetches one web link into a file, on a thread of its own, so that a player which can only open
// files can still play a link. The object owns the file: it is removed when the object goes away.
#include <atomic>
#include <string>
#include <thread>

namespace library {

class LinkFetch {
public:
    // Starts fetching at once.
    LinkFetch(std::wstring link, std::wstring filePath);
    // Cancels, waits for the thread (each network wait is bounded by a time-out) and removes the file.
    ~LinkFetch();
    LinkFetch(const LinkFetch&) = delete;
    LinkFetch& operator=(const LinkFetch&) = delete;

    // Asks the thread to give up; returns at once. The thread stops at its next read.
    void Cancel() { cancelled_.store(true); }
    bool Done() const { return done_.load(std::memory_order_acquire); }
    // Whether the whole body arrived; meaningful once Done() is true.
    bool Succeeded() const { return Done() && succeeded_; }
    const std::wstring& Path() const { return path_; }

    // Time-out of each connect and read of the fetch thread.
    static constexpr unsigned long kNetworkTimeoutMs = 10000;

private:
    void Run() noexcept;
    bool Download();

    const std::wstring link_;
    const std::wstring path_;
    std::atomic<bool> cancelled_{false};  // written by the owner's thread, read by the fetch thread
    std::atomic<bool> done_{false};       // written by the fetch thread (release), read by the owner (acquire)
    bool succeeded_ = false;              // written by the fetch thread before done_, read after it
    std::thread thread_;                  // started last, so every field above exists when it runs
};

}  // namespace library
