#include "app/RendererMemory.h"

#include <cstdlib>  // tells which C library this is
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zrv::front {

// A software renderer allocates and frees buffers of some megabytes for every
// frame of a large 3D figure. By default the C library hands such blocks back
// to the system when they are freed and the next frame faults them in again,
// which costs more than the drawing (three times the frame time for 500 piles
// of 30 segments). Blocks up to 16 MB come from the heap instead, and up to
// 64 MB of freed memory stays in the process.
void KeepRendererMemory() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 16 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

}  // namespace zrv::front
