// The heap set to keep what is freed: glibc's mallopt, where glibc is the C
// library.
#include "platform/sdl/sdl_heap.h"

#include <cstdlib>  // defines __GLIBC__ where glibc is the C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void keep_freed_memory()
{
#if defined(__GLIBC__)
    // Blocks up to 32 MB (the most glibc allows) from the heap, and the heap
    // trimmed only past 1 GB free: in practice never.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
#endif
}
