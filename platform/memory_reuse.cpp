// Keeping freed memory for reuse.
#include "platform/memory_reuse.h"

#include <cstdlib> // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
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
