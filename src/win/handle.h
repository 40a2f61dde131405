#pragma once
// One owning wrapper for every kind of Win32 handle: the traits type says what "empty" is and
// how to close. Non-copyable, movable.
#include <windows.h>
#include <wininet.h>

#include <utility>

namespace win {

template <typename Traits>
class UniqueHandle {
public:
    using value_type = typename Traits::type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(value_type h) noexcept : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }

    value_type get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Traits::empty(); }
    value_type release() noexcept { return std::exchange(h_, Traits::empty()); }
    void reset(value_type h = Traits::empty()) noexcept {
        if (h_ != Traits::empty()) Traits::close(h_);
        h_ = h;
    }

private:
    value_type h_ = Traits::empty();
};

struct KernelHandleTraits {
    using type = HANDLE;
    static HANDLE empty() noexcept { return nullptr; }
    static void close(HANDLE h) noexcept { CloseHandle(h); }
};
struct FileHandleTraits {
    using type = HANDLE;
    static HANDLE empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) noexcept { CloseHandle(h); }
};
struct MappedViewTraits {
    using type = void*;
    static void* empty() noexcept { return nullptr; }
    static void close(void* p) noexcept { UnmapViewOfFile(p); }
};
struct InternetHandleTraits {
    using type = HINTERNET;
    static HINTERNET empty() noexcept { return nullptr; }
    static void close(HINTERNET h) noexcept { InternetCloseHandle(h); }
};
struct MenuTraits {
    using type = HMENU;
    static HMENU empty() noexcept { return nullptr; }
    static void close(HMENU h) noexcept { DestroyMenu(h); }
};
struct FontTraits {
    using type = HFONT;
    static HFONT empty() noexcept { return nullptr; }
    static void close(HFONT h) noexcept { DeleteObject(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;  // events, threads, mappings, timers
using UniqueEvent = UniqueKernelHandle;
using UniqueMapping = UniqueKernelHandle;
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueView = UniqueHandle<MappedViewTraits>;
using UniqueInternet = UniqueHandle<InternetHandleTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueFont = UniqueHandle<FontTraits>;

}  // namespace win
