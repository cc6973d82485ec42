#include "listfile/ListInput.h"

#include <utility>

ListInput::ListInput(std::string name, std::FILE* file, bool open, std::size_t bufferSize)
    : name_(std::move(name)), file_(file), open_(open), buffer_(bufferSize == 0 ? 1 : bufferSize) {}

ListInput ListInput::openFile(const std::string& path, std::size_t bufferSize) {
    std::FILE* file = std::fopen(path.c_str(), "r");
    return ListInput(path, file, file != nullptr, bufferSize);
}

ListInput ListInput::fromText(std::string text, std::string name) {
    ListInput input(std::move(name), nullptr, true, 0);
    input.end_ = text.size();
    input.buffer_.assign(text.begin(), text.end());
    return input;
}

ListInput::ListInput(ListInput&& other) noexcept
    : name_(std::move(other.name_)), file_(std::exchange(other.file_, nullptr)), open_(other.open_),
      failed_(other.failed_), buffer_(std::move(other.buffer_)), pos_(std::exchange(other.pos_, 0)),
      end_(std::exchange(other.end_, 0)) {}

ListInput::~ListInput() {
    if (file_)
        std::fclose(file_);
}

int ListInput::refill() {
    if (!file_)
        return -1;
    std::size_t count = std::fread(buffer_.data(), 1, buffer_.size(), file_);
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
