#include "app/startupmemory.h"

#include <QQmlEngine>

#ifdef __GLIBC__
#include <malloc.h>
#endif

void releaseStartupMemory(QQmlEngine *engine)
{
    if (engine)
        engine->collectGarbage();
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
