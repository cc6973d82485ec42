#include "listfile/ListInput.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

#ifdef _WIN32
// No FIFO blocks an open here; binary mode keeps line ends as they are in the file.
constexpr int openFlags = O_RDONLY | O_BINARY | O_NOINHERIT;
void stopNonBlocking(int) {}
#else
// O_NONBLOCK: a FIFO that no one writes to would otherwise hold the open for ever.
constexpr int openFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
void stopNonBlocking(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
}
#endif

} // namespace

ListInput::ListInput(std::string name, std::FILE* file, std::string* text, std::size_t readSize,
                     std::string refusal, long long fileBytes)
    : name_(std::move(name)), file_(file), open_(file != nullptr || text != nullptr),
      refusal_(std::move(refusal)), fileBytes_(fileBytes),
      readSize_(std::clamp<std::size_t>(readSize, 1, bufferCapacity)), data_(buffer_) {
    if (text) {
        text_ = std::move(*text);
        data_ = text_.data();
        end_ = text_.size();
    }
    if (file_) {
        // Bytes go straight from the file into buffer_; stdio's own buffer would only copy
        // them once more.
        std::setvbuf(file_, nullptr, _IONBF, 0);
    }
}

ListInput ListInput::openFile(const std::string& path, std::size_t readSize) {
    const int fd = open(path.c_str(), openFlags);
    std::string refusal;
    long long bytes = 0;
    struct stat info;
    if (fd >= 0 && fstat(fd, &info) == 0) {
        if (!S_ISREG(info.st_mode))
            refusal = "not a regular file";
        bytes = static_cast<long long>(info.st_size);
    }
    std::FILE* file = nullptr;
    if (fd >= 0 && refusal.empty()) {
        stopNonBlocking(fd);
        file = fdopen(fd, "rb");
    }
    if (fd >= 0 && !file)
        close(fd);
    return ListInput(path, file, nullptr, readSize, std::move(refusal), bytes);
}

ListInput ListInput::fromText(std::string text, std::string name) {
    return ListInput(std::move(name), nullptr, &text, 0);
}

ListInput::~ListInput() {
    if (file_)
        std::fclose(file_);
}

int ListInput::refill() {
    if (!file_)
        return -1;
    std::size_t count = std::fread(buffer_, 1, readSize_, file_);
    if (count == 0) {
        // End of file or an error: either way the input is over, and the file can go.
        failed_ = std::ferror(file_) != 0;
        std::fclose(file_);
        file_ = nullptr;
        return -1;
    }
    pos_ = 1;
    end_ = count;
    return static_cast<unsigned char>(buffer_[0]);
}
