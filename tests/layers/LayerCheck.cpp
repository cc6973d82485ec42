#include "tests/layers/LayerCheck.h"

#include "tests/layers/LayerTable.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string firstPart(const std::string& path) {
    const size_t slash = path.find('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The folder an included path names: "../gfx/Renderer.h" from check/ is gfx/'s.
std::string includedPath(const std::string& from, const std::string& included) {
    if (included.rfind("./", 0) != 0 && included.rfind("../", 0) != 0)
        return included;
    return (fs::path(from).parent_path() / included).lexically_normal().generic_string();
}

// The top-level folder of a folder given from the root: "tests" for "tests/listfile/fuzz".
std::string topFolder(const std::string& directory) {
    return directory.substr(0, directory.find('/'));
}

bool isCodeFile(const fs::path& file) {
    static const std::vector<std::string> extensions = {".h",   ".hpp", ".c", ".cc",
                                                        ".cpp", ".inl", ".rc"};
    const std::string extension = file.extension().string();
    return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

} // namespace

std::vector<std::string> forbiddenIncludes(const std::string& path, const std::string& text) {
    static const std::regex include(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])");
    const std::string folder = firstPart(path);
    std::vector<std::string> found;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::smatch match;
        if (!std::regex_search(line, match, include))
            continue;
        const std::string target = includedPath(path, match[1]);
        const std::string used = firstPart(target);
        if (isProjectFolder(used) && !mayUse(folder, used))
            found.push_back(path + ":" + std::to_string(number) + ": includes " + target + ": " +
                            ruleOf(folder));
    }
    return found;
}

std::vector<std::string> codeFiles(const std::string& root, const std::string& folder) {
    std::vector<std::string> files;
    const fs::path top = fs::path(root) / folder;
    if (!fs::is_directory(top))
        return files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(top))
        if (entry.is_regular_file() && isCodeFile(entry.path()))
            files.push_back(entry.path().lexically_relative(root).generic_string());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<LinkedTarget> parseLinkTable(const std::string& text) {
    std::vector<LinkedTarget> targets;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t first = line.find('\t');
        const size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
        if (second == std::string::npos)
            continue;
        targets.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1),
                           line.substr(second + 1)});
    }
    return targets;
}

std::vector<std::string> forbiddenLinks(const std::vector<LinkedTarget>& targets) {
    std::map<std::string, std::string> folderOf;
    for (const LinkedTarget& target : targets)
        folderOf[target.name] = topFolder(target.directory);
    // Target names among the link items' words, generator expressions' own words being none.
    static const std::regex word(R"([A-Za-z0-9_.+-]+(::[A-Za-z0-9_.+-]+)*)");
    std::vector<std::string> found;
    for (const LinkedTarget& target : targets) {
        const std::string folder = topFolder(target.directory);
        // A library linked publicly is named twice, once among the interface's items.
        std::set<std::string> named;
        for (std::sregex_iterator it(target.links.begin(), target.links.end(), word), end;
             it != end; ++it) {
            if (!named.insert(it->str()).second)
                continue;
            const auto linked = folderOf.find(it->str());
            if (linked == folderOf.end() || linked->second == "." || mayUse(folder, linked->second))
                continue;
            found.push_back(target.directory + "/CMakeLists.txt: " + target.name + " links " +
                            linked->first + " (" + linked->second + "/): " + ruleOf(folder));
        }
    }
    return found;
}
