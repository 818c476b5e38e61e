// Keeping freed memory for reuse.
#include "platform/memory_reuse.h"

#include <cstdlib> // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#if defined(__linux__)
#include <cstdint>
#include <sys/mman.h>
#endif

void keepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    // Blocks up to 32 MiB (the most glibc accepts here; the text of a config of up to 16 MB)
    // come from the heap and are reused; the heap gives memory back once more than 128 MiB lies
    // free at its end.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
}

void preferLargePages(void* data, size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr size_t kLargePage = 2 * 1024 * 1024;
    if (bytes < 4 * kLargePage)
        return;
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(data) + kLargePage - 1) &
                                 ~std::uintptr_t(kLargePage - 1);
    const std::uintptr_t end =
        (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~std::uintptr_t(kLargePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}
