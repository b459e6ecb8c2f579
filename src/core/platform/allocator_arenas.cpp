#include "core/platform/allocator_arenas.h"

#include <malloc.h>

void LimitAllocatorArenas() {
#ifdef M_ARENA_MAX
    mallopt(M_ARENA_MAX, 4);
#endif
}

void ReturnFreedMemory() { malloc_trim(0); }
