#include "core/FreedMemory.h"

#include <cstdlib>  // any C library header: it tells which library this is (__GLIBC__)

#ifdef __GLIBC__
#include <malloc.h>
#endif

void returnFreedMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
