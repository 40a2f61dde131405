#include "downloader/file_window.h"

#include <cstdint>

namespace downloader::detail {

void* MapAlignedView(HANDLE mapping, std::int64_t offset, std::int64_t bytes) {
    const DWORD high = static_cast<DWORD>(offset >> 32);
    const DWORD low = static_cast<DWORD>(offset & 0xFFFFFFFF);
    const SIZE_T size = static_cast<SIZE_T>(bytes);
    const std::uintptr_t shift = static_cast<std::uintptr_t>(offset % kLargePageBytes);
    // MapViewOfFileEx takes an address but no alignment, so find a free range big enough to hold the
    // view at the wanted alignment, give it back and map there. Another thread may take the range in
    // between; then look again, and after a few tries settle for any address.
    for (int attempt = 0; attempt < 4; ++attempt) {
        void* free = VirtualAlloc(nullptr, size + kLargePageBytes, MEM_RESERVE, PAGE_NOACCESS);
        if (!free) break;
        VirtualFree(free, 0, MEM_RELEASE);
        const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(free);
        const std::uintptr_t at = start + (shift + kLargePageBytes - start % kLargePageBytes) % kLargePageBytes;
        if (void* view = MapViewOfFileEx(mapping, FILE_MAP_WRITE, high, low, size, reinterpret_cast<void*>(at)))
            return view;
    }
    return MapViewOfFile(mapping, FILE_MAP_WRITE, high, low, size);
}

}  // namespace downloader::detail
