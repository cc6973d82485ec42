// Loads the library named on the command line, lets it leak one block and unloads it, as
// SDL_Quit unloads the GL driver. Its leak must be reported under that library's name.
#include <cstdio>
#include <dlfcn.h>

int main(int argc, char** argv) {
    void* module = argc > 1 ? dlopen(argv[1], RTLD_NOW) : nullptr;
    auto leak = module ? reinterpret_cast<void (*)()>(dlsym(module, "leakOneBlock")) : nullptr;
    if (!leak) {
        std::fprintf(stderr, "cannot load %s: %s\n", argc > 1 ? argv[1] : "(nothing)", dlerror());
        return 2;
    }
    leak();
    dlclose(module);
    return 0;
}
