#pragma once
// Writable views of a target file's mapping, placed so the memory manager can back them with large
// pages of the file cache.
#include <windows.h>

#include <cstdint>

namespace downloader::detail {

// Where a view's address must agree with its file offset: the size of a large page.
constexpr std::int64_t kLargePageBytes = 2 * 1'048'576;

// Maps `bytes` of the mapping from `offset` (a multiple of 64 KiB) for writing, at an address equal to
// the offset modulo kLargePageBytes when such an address is free, elsewhere when not. Null on failure.
//
// A fresh file written through a view at an arbitrary 64 KiB boundary is faulted in one 4 KiB page at a
// time, and each first touch of a page costs tens of microseconds: under Wine on Linux that holds the
// whole write path near 160 MiB/s. A view that lines up with the file's 2 MiB blocks gets them mapped
// whole, and the same writes run above 1 GiB/s.
void* MapAlignedView(HANDLE mapping, std::int64_t offset, std::int64_t bytes);

}  // namespace downloader::detail
