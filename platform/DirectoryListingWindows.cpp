// The Windows folder listing, on FindFirstFileExA: names in the program's code page, UTF-8.

#include "platform/DirectoryListing.h"

#include "platform/WindowsError.h"

#include <windows.h>

namespace {

// Devices and folders are no files to read; links to files count, as elsewhere.
constexpr DWORD notAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;

HANDLE findFirst(const std::string& folder, WIN32_FIND_DATAA& found) {
    return FindFirstFileExA((folder + "\\*").c_str(), FindExInfoBasic, &found,
                            FindExSearchNameMatch, nullptr, 0);
}

} // namespace

std::vector<std::string> listFilesUnsorted(const std::string& folder, const NameFilter& wanted,
                                           bool everyEntry) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    // Every name is matched here rather than by a "*.png" pattern, which would also match
    // other letter cases and, through short names, longer extensions.
    const HANDLE search = findFirst(folder, found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        if ((everyEntry || !(found.dwFileAttributes & notAFile)) && wanted(name) && name != "." &&
            name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string folderListingProblem(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const HANDLE search = findFirst(folder, found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        return "";
    }
    return windowsErrorText(GetLastError());
}
