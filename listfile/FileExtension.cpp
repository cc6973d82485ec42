#include "listfile/FileExtension.h"

namespace {

char lowered(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

bool hasExtension(const std::string& name, const std::string& extension, ExtensionMatch match) {
    const std::string suffix = match == ExtensionMatch::LastLetters ? extension : "." + extension;
    if (name.size() < suffix.size())
        return false;
    const size_t start = name.size() - suffix.size();
    for (size_t i = 0; i < suffix.size(); ++i) {
        const char c = name[start + i];
        const bool same =
            match == ExtensionMatch::AnyCase ? lowered(c) == lowered(suffix[i]) : c == suffix[i];
        if (!same)
            return false;
    }
    return true;
}
