// Loads the library named on the command line, lets it leak one block and unloads it, as
// SDL_Quit unloads the GL driver. Its leak must be reported under that library's name. The
// block is dropped unreachable on purpose (Unreachable.h).
#include "Unreachable.h"

#include <cstdio>
#include <dlfcn.h>

namespace {

using Leak = void (*)();

[[gnu::noinline]] void callLeak(Leak leak) {
    leak();
}

} // namespace

int main(int argc, char** argv) {
    void* module = argc > 1 ? dlopen(argv[1], RTLD_NOW) : nullptr;
    auto leak = module ? reinterpret_cast<Leak>(dlsym(module, "leakOneBlock")) : nullptr;
    if (!leak) {
        std::fprintf(stderr, "cannot load %s: %s\n", argc > 1 ? argv[1] : "(nothing)", dlerror());
        return 2;
    }
    unreachable::run(callLeak, leak);
    dlclose(module);
    return 0;
}
