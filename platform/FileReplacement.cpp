#include "platform/FileReplacement.h"

#include <utility>

FileReplacement::FileReplacement(std::string path, Rules rules)
    : path_(std::move(path)), rules_(std::move(rules)), target_(path_) {}

bool FileReplacement::write(const Writer& writer) {
    problem_.clear();
    note_.clear();
    target_ = path_;
    return replace(writer);
}

bool FileReplacement::write(const std::vector<uint8_t>& bytes) {
    return write([&bytes](std::FILE* file) -> std::string {
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
            return "short write";
        return "";
    });
}

std::string FileReplacement::temporaryName(const std::string& name) {
    return "." + name + ".levelcolors-saving";
}
