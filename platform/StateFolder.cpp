#include "platform/StateFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
// The program's paths are UTF-8; the system's wide calls take UTF-16.
std::wstring wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return L"";
    std::wstring result(size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, result.data(), length);
    result.resize(size_t(length - 1));
    return result;
}

std::string narrow(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return "";
    std::string result(size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), length, nullptr, nullptr);
    result.resize(size_t(length - 1));
    return result;
}

std::string windowsReason(DWORD error) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason = text ? narrow(text) : "error " + std::to_string(error);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.'))
        reason.pop_back();
    return reason;
}
#endif

// Makes one folder; true when it is there afterwards.
bool makeOne(const std::string& folder, std::string& reason) {
#ifdef _WIN32
    if (CreateDirectoryW(wide(folder).c_str(), nullptr))
        return true;
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(wide(folder).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    reason = windowsReason(error);
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
    std::string state = narrow(local);
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
    if (DeleteFileW(wide(path).c_str()))
        return "";
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return "";
    return windowsReason(error);
#else
    if (unlink(path.c_str()) == 0 || errno == ENOENT)
        return "";
    return std::strerror(errno);
#endif
}

std::optional<int64_t> modifiedTime(const std::string& path) {
#ifdef _WIN32
    struct _stat64 info;
    if (_wstat64(wide(path).c_str(), &info) != 0)
        return std::nullopt;
#else
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return std::nullopt;
#endif
    return int64_t(info.st_mtime);
}
