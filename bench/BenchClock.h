#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

// Helpers shared by the benchmark programs: a monotonic clock in milliseconds, order
// statistics, and the process's peak resident memory.

inline double nowMilliseconds() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// CPU time of the whole process (every thread), less disturbed by other programs than the
// wall clock on a busy machine.
inline double cpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// CPU time of the calling thread alone: in a scan that decodes on worker threads, what the
// thread that uploads and builds spends.
inline double threadCpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The value below which the fraction `q` (0..1) of the samples lie; 0 for no samples.
inline double quantile(std::vector<double> samples, double q) {
    if (samples.empty())
        return 0;
    const size_t index = std::min(samples.size() - 1, size_t(q * double(samples.size())));
    std::nth_element(samples.begin(), samples.begin() + long(index), samples.end());
    return samples[index];
}

// A "VmHWM:" or "VmRSS:" figure of /proc/<pid>/status in KiB; -1 when it cannot be read.
inline long statusKilobytes(const char* statusPath, const char* field) {
    FILE* status = std::fopen(statusPath, "r");
    if (!status)
        return -1;
    char line[256];
    long value = -1;
    const size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, field, length) == 0) {
            value = std::atol(line + length);
            break;
        }
    }
    std::fclose(status);
    return value;
}
