#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

// The bytes of one list file, read one at a time with one byte of push-back. Files are read
// through a fixed buffer inside the object, not through stdio's buffer or the heap: the reader
// touches every byte, and a stream's per-call checks would dominate. A read error ends the
// input early and sets failed(). Lives on the caller's stack; it is neither copied nor moved.
// How a list file is opened for reading, so that the reader need not know how a level's files
// are opened safely (platform's openRegularFile is the one the programs use): the file, with
// its size in `*size`; or null, with why in `problem` and `*refused` true when the path names
// something that is no regular file.
using ListFileOpener = std::function<std::FILE*(const std::string& path, std::string& problem,
                                                long long* size, bool* refused)>;

class ListInput {
  public:
    static constexpr std::size_t bufferCapacity = 16384;

    // Reads an opened file, which it owns and closes, named `name` in diagnostics and
    // `fileBytes` long. A null file gives an empty input whose isOpen() is false. `readSize`
    // (1 to bufferCapacity) is the size of each read.
    static ListInput fromFile(std::FILE* file, std::string name, long long fileBytes,
                              std::size_t readSize = bufferCapacity);
    // The bytes of `text`, named `name` in diagnostics. Never fails.
    static ListInput fromText(std::string text, std::string name = "<text>");

    ListInput(const ListInput&) = delete;
    ListInput& operator=(const ListInput&) = delete;
    ~ListInput();

    bool isOpen() const { return open_; }
    bool failed() const { return failed_; }
    // The size of the opened file in bytes; 0 for text.
    long long fileBytes() const { return fileBytes_; }
    const std::string& name() const { return name_; }

    // The next byte (0 to 255), or -1 at the end of the input or after a read error.
    int get() {
        if (pos_ < end_)
            return static_cast<unsigned char>(data_[pos_++]);
        return refill();
    }
    // Puts back the byte that the last get() returned; only valid right after a get() that
    // returned a byte.
    void unget() { --pos_; }

  private:
    // Reads `file` if given, otherwise the text taken from `text`; open unless both are null.
    ListInput(std::string name, std::FILE* file, std::string* text, std::size_t readSize,
              long long fileBytes = 0);
    int refill();

    std::string name_;
    std::FILE* file_;
    bool open_;
    bool failed_ = false;
    long long fileBytes_ = 0;
    std::string text_;
    std::size_t readSize_;
    const char* data_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    char buffer_[bufferCapacity];
};
