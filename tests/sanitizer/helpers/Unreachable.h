// For the leak programs: a dropped allocation made unreachable on purpose. The leak check at
// exit scans the main thread's stack from where it then stands up to the top; a pointer that
// the work, the libraries it called or their C library routines left in a stack slot that
// nothing wrote again would keep the block reachable, and which slots the exit path writes
// again depends on the compiler, the optimisation and the processor (glibc picks its string
// routines by CPU). So the work runs deeper than the stretch that clearStack then overwrites.
#pragma once

#include <cstddef>
#include <cstdint>

namespace unreachable {

// Far more stack than loading an image through the libraries takes (about 10 KiB).
constexpr size_t clearedBytes = 256 * 1024;

// Calls `work`, which must not be inlined, with its frames at least 512 bytes below this
// function's caller, so that none of them lies above the stretch clearStack overwrites.
template <typename Argument>
[[gnu::noinline, gnu::no_sanitize_address]] void runBelow(void (*work)(Argument),
                                                          Argument argument) {
    volatile char gap[512];
    gap[0] = 0;
    asm volatile("" : : "r"(gap) : "memory"); // the gap stays, whatever the optimisation
    work(argument);
}

// Overwrites `clearedBytes` of stack from just below its caller's frame down, then the
// registers a call may leave behind (the callee-saved ones hold the caller's own values). Not
// instrumented: its array is plain stack, never moved aside by the sanitizer.
[[gnu::noinline, gnu::no_sanitize_address]] inline void clearStack() {
    volatile uintptr_t words[clearedBytes / sizeof(uintptr_t)];
    for (size_t i = 0; i < clearedBytes / sizeof(uintptr_t); ++i)
        words[i] = 0;
    asm volatile("" : : "r"(words) : "memory");
#if defined(__x86_64__)
    asm volatile("xor %%eax, %%eax\n\txor %%ecx, %%ecx\n\txor %%edx, %%edx\n\t"
                 "xor %%esi, %%esi\n\txor %%edi, %%edi\n\txor %%r8d, %%r8d\n\t"
                 "xor %%r9d, %%r9d\n\txor %%r10d, %%r10d\n\txor %%r11d, %%r11d" ::
                     : "rax", "rcx", "rdx", "rsi", "rdi", "r8", "r9", "r10", "r11");
#endif
}

// Runs `work` and clears the stack and the registers it used: whatever it dropped is reachable
// from no stack slot and no register when the program ends.
template <typename Argument>
void run(void (*work)(Argument), Argument argument) {
    runBelow(work, argument);
    clearStack();
}

} // namespace unreachable
