#include "platform/StandardStreams.h"

#ifdef _WIN32
#include <cstdio>
#include <fcntl.h>
#include <io.h>

void keepLineEndsOnStandardStreams() {
    std::fflush(stdout);
    std::fflush(stderr);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}
#else
void keepLineEndsOnStandardStreams() {}
#endif
