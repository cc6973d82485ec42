#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

// The bytes of one list file, read one at a time with one byte of push-back. Reads through
// its own buffer: the reader touches every byte, and a stream's per-call checks would
// dominate. A read error ends the input early and sets failed().
class ListInput {
  public:
    // Opens `path` for reading in text mode; isOpen() is false when that fails, and the
    // input is then empty. `bufferSize` (at least 1) is the size of each read.
    static ListInput openFile(const std::string& path, std::size_t bufferSize = 1 << 16);
    // The bytes of `text`, named `name` in diagnostics. Never fails.
    static ListInput fromText(std::string text, std::string name = "<text>");

    ListInput(ListInput&& other) noexcept;
    ListInput& operator=(ListInput&&) = delete;
    ListInput(const ListInput&) = delete;
    ListInput& operator=(const ListInput&) = delete;
    ~ListInput();

    bool isOpen() const { return open_; }
    bool failed() const { return failed_; }
    const std::string& name() const { return name_; }

    // The next byte (0 to 255), or -1 at the end of the input or after a read error.
    int get() {
        if (pos_ < end_)
            return static_cast<unsigned char>(buffer_[pos_++]);
        return refill();
    }
    // Puts back the byte that the last get() returned; only valid right after a get() that
    // returned a byte.
    void unget() { --pos_; }

  private:
    ListInput(std::string name, std::FILE* file, bool open, std::size_t bufferSize);
    int refill();

    std::string name_;
    std::FILE* file_;
    bool open_;
    bool failed_ = false;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
};
