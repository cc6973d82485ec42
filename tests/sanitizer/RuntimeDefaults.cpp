// Linked into every program of the AddressSanitizer build: the runtime's defaults, which
// ASAN_OPTIONS can still override.
//
// Dynamic TLS is not intercepted. The runtime of this compiler takes a block of dynamic TLS
// that malloc happens to place 16 bytes past a page boundary for one with an old C library's
// header, reads the two words before it as a range, and its leak check at exit then scans that
// bogus range and crashes ("Tracer caught signal 11"). Where malloc places the block depends on
// timing, so the crash came and went with the machine's load. The blocks are heap memory,
// reachable from each thread's TLS, so the leak check still scans what they point to.

extern "C" const char* __asan_default_options() {
    return "intercept_tls_get_addr=0";
}
