#include "listfile/ListInput.h"

#include <algorithm>
#include <utility>

ListInput::ListInput(std::string name, std::FILE* file, std::string* text, std::size_t readSize,
                     long long fileBytes)
    : name_(std::move(name)), file_(file), open_(file != nullptr || text != nullptr),
      fileBytes_(fileBytes), readSize_(std::clamp<std::size_t>(readSize, 1, bufferCapacity)),
      data_(buffer_) {
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

ListInput ListInput::fromFile(std::FILE* file, std::string name, long long fileBytes,
                              std::size_t readSize) {
    return ListInput(std::move(name), file, nullptr, readSize, fileBytes);
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
