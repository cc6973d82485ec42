#include "platform/QuitSignals.h"

#include <csignal>
#include <initializer_list>

namespace {

// The flag the handlers set: the one thing a handler may safely do.
volatile std::sig_atomic_t signalled = 0;

extern "C" void noteQuitSignal(int) {
    signalled = 1;
}

} // namespace

void catchQuitSignals() {
#ifdef _WIN32
    std::signal(SIGINT, noteQuitSignal);
    std::signal(SIGTERM, noteQuitSignal);
#else
    struct sigaction action = {};
    action.sa_handler = noteQuitSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
#endif
}

bool quitSignalled() {
    return signalled != 0;
}
