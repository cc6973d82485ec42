#include "platform/MemoryReuse.h"

#include <cstdlib> // defines __GLIBC__ on the GNU C library
#ifdef __GLIBC__
#include <malloc.h>
#endif

void keepFreedMemoryForReuse() {
#ifdef __GLIBC__
    mallopt(M_TRIM_THRESHOLD, 16 << 20);
#endif
}
