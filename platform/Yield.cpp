#include "platform/Yield.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sched.h>
#endif

void yieldProcessor() {
#ifdef _WIN32
    Sleep(0);
#else
    sched_yield();
#endif
}
