#pragma once

#include <cstdio>
#include <string>

// The problem openRegularFile gives for a folder, a FIFO, a device or a socket.
constexpr const char* notRegularFile = "not a regular file";

// Opens a level file for reading in binary mode. A FIFO or a device is opened without
// waiting on it and refused, so that a special file in a level never hangs the program;
// links to regular files are followed. Null on failure, with `problem` set to "not a regular
// file" (and `*refused`, when given, true) or the system's reason; `size`, when given,
// receives the file's size in bytes.
std::FILE* openRegularFile(const std::string& path, std::string& problem, long long* size = nullptr,
                           bool* refused = nullptr);
