#include "app/startupmemory.h"

#include <QQmlEngine>

// Under AddressSanitizer the heap is the sanitizer's own: there is nothing to trim.
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#define R7_TRIM_HEAP
#include <malloc.h>
#endif

void releaseStartupMemory(QQmlEngine *engine)
{
    if (engine)
        engine->collectGarbage();
#ifdef R7_TRIM_HEAP
    malloc_trim(0);
#endif
}
