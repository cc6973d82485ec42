#include "platform/StateFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#ifdef _WIN32
#include "platform/WideText.h"
#include "platform/WindowsError.h"

#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// Makes one folder; true when it is there afterwards.
bool makeOne(const std::string& folder, std::string& reason) {
#ifdef _WIN32
    if (CreateDirectoryW(wideText(folder).c_str(), nullptr))
        return true;
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(wideText(folder).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    reason = windowsErrorText(error);
    return false;
#else
    if (mkdir(folder.c_str(), 0700) == 0)
        return true;
    const int error = errno;
    struct stat info;
    if (stat(folder.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return true;
        reason = std::strerror(ENOTDIR);
        return false;
    }
    reason = std::strerror(error);
    return false;
#endif
}

} // namespace

std::string recoveryFolder() {
#ifdef _WIN32
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    if (!local || !*local)
        return "";
    std::string state = narrowText(local);
    for (char& c : state)
        if (c == '\\')
            c = '/';
#else
    const char* xdg = std::getenv("XDG_STATE_HOME");
    std::string state;
    // The base directory rules ignore a relative path.
    if (xdg && xdg[0] == '/')
        state = xdg;
    else {
        const char* home = std::getenv("HOME");
        if (!home || !*home)
            return "";
        state = std::string(home) + "/.local/state";
    }
#endif
    while (state.size() > 1 && state.back() == '/')
        state.pop_back();
    return state + "/levelcolors/recovery";
}

std::string makeFolders(const std::string& folder) {
    std::string reason;
    // Each part in turn from the root: the parents that exist are found so, and made otherwise.
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        // A drive ("C:") is no folder to make.
        if (!part.empty() && part.back() != ':' && !makeOne(part, reason))
            return reason;
        if (slash == std::string::npos)
            return "";
    }
}

std::string removeFile(const std::string& path) {
#ifdef _WIN32
    if (DeleteFileW(wideText(path).c_str()))
        return "";
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return "";
    return windowsErrorText(error);
#else
    if (unlink(path.c_str()) == 0 || errno == ENOENT)
        return "";
    return std::strerror(errno);
#endif
}

std::optional<int64_t> modifiedTime(const std::string& path) {
#ifdef _WIN32
    struct _stat64 info;
    if (_wstat64(wideText(path).c_str(), &info) != 0)
        return std::nullopt;
#else
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return std::nullopt;
#endif
    return int64_t(info.st_mtime);
}
