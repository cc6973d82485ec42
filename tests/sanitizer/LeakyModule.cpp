// A library that the leak test loads, calls and unloads: it leaks one block.
#include <cstdlib>

namespace {
void* volatile lastBlock = nullptr;
}

extern "C" void leakOneBlock() {
    // Through a volatile store, so that the compiler keeps the allocation.
    lastBlock = std::malloc(48);
    lastBlock = nullptr;
}
