#include "app/ShortenedPath.h"

namespace {

constexpr const char* ellipsis = "...";
constexpr size_t ellipsisLength = 3;

} // namespace

std::string shortenPath(const std::string& path, size_t characters) {
    if (path.size() <= characters)
        return path;
    if (characters <= ellipsisLength)
        return path.substr(path.size() - characters);
    const size_t slash = path.rfind('/');
    // The end kept whole: the file name with the slash before it, so that the start reads as
    // the folders it came from.
    const std::string end = slash == std::string::npos ? path : path.substr(slash);
    if (end.size() + ellipsisLength < characters)
        return path.substr(0, characters - ellipsisLength - end.size()) + ellipsis + end;
    return ellipsis + path.substr(path.size() - (characters - ellipsisLength));
}
