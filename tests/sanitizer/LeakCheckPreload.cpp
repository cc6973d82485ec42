// Preloaded, after the sanitizer's runtime, into every program the sanitizer build's tests run
// (and, under valgrind, into the viewer by scripts/memcheck). Built without the sanitizers.
//
// dlclose leaves every module loaded: SDL_Quit unloads Mesa's driver before the leak check,
// and what the driver left would then be reported under an unknown module, or its globals,
// which still point at it, would be gone.
//
// What SDL 2 (under the SDL 1.2 layer) and D-Bus allocate while SDL starts is theirs to keep:
// SDL_Quit does not free all of it. SDL has no frame pointers, so the sanitizer's stacks of
// SDL's allocations end inside SDL whichever call made them, and no suppression can tell
// start-up from anything else (the unwinder that could deadlocks in Mesa's JIT). The start-up
// calls are named here instead: the leak check ignores what is allocated during them on the
// calling thread. Whatever SDL allocates at any other time, such as an image that
// IMG_Load returns, is still checked.

#include <cstdint>
#include <dlfcn.h>

namespace {

using Switch = void (*)();

// The leak check is off for the lifetime of this object, when there is a leak check.
class StartUpAllocations {
  public:
    StartUpAllocations() : enable_(reinterpret_cast<Switch>(dlsym(RTLD_DEFAULT, "__lsan_enable"))) {
        const auto disable = reinterpret_cast<Switch>(dlsym(RTLD_DEFAULT, "__lsan_disable"));
        if (disable && enable_)
            disable();
        else
            enable_ = nullptr;
    }
    ~StartUpAllocations() {
        if (enable_)
            enable_();
    }
    StartUpAllocations(const StartUpAllocations&) = delete;
    StartUpAllocations& operator=(const StartUpAllocations&) = delete;

  private:
    Switch enable_;
};

// The SDL function this one stands in front of.
template <typename Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

int dlclose(void*) {
    return 0;
}

int SDL_Init(uint32_t flags) {
    StartUpAllocations ignored;
    return next<int (*)(uint32_t)>("SDL_Init")(flags);
}

int SDL_InitSubSystem(uint32_t flags) {
    StartUpAllocations ignored;
    return next<int (*)(uint32_t)>("SDL_InitSubSystem")(flags);
}

int SDL_GL_LoadLibrary(const char* path) {
    StartUpAllocations ignored;
    return next<int (*)(const char*)>("SDL_GL_LoadLibrary")(path);
}

// The video surface, which the SDL 1.2 layer keeps past SDL_Quit.
void* SDL_SetVideoMode(int width, int height, int bitsPerPixel, uint32_t flags) {
    StartUpAllocations ignored;
    return next<void* (*)(int, int, int, uint32_t)>("SDL_SetVideoMode")(width, height, bitsPerPixel,
                                                                        flags);
}

} // extern "C"
