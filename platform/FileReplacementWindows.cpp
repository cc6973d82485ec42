// Replacing a file on Windows: CreateFileW(CREATE_NEW), FlushFileBuffers, and MoveFileExW
// with replace and write-through. The new file takes the folder's inherited permissions and
// the old file's attributes; Windows has no mode bits to keep, and a stamp is never given
// (platform/FileStamp), so no change on disk is seen here.

#include "platform/FileReplacement.h"

#include "platform/WideText.h"
#include "platform/WindowsError.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

size_t lastSeparator(const std::string& path) {
    return path.find_last_of("/\\");
}

std::string folderOf(const std::string& path) {
    const size_t slash = lastSeparator(path);
    return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

std::string nameOf(const std::string& path) {
    const size_t slash = lastSeparator(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string lastError() {
    return windowsErrorText(GetLastError());
}

// The file a link (a reparse point) leads to, through every link; the path itself otherwise,
// and for a link to nothing.
std::string followLinks(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wideText(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return path;
    const HANDLE file = CreateFileW(wideText(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return path;
    std::wstring final(32768, L'\0');
    const DWORD length = GetFinalPathNameByHandleW(file, final.data(), DWORD(final.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(file);
    if (length == 0 || length >= final.size())
        return path;
    final.resize(length);
    // "\\?\C:\..." for a drive's path, "\\?\UNC\server\..." for a share's.
    if (final.rfind(L"\\\\?\\UNC\\", 0) == 0)
        final = L"\\\\" + final.substr(8);
    else if (final.rfind(L"\\\\?\\", 0) == 0)
        final = final.substr(4);
    return narrowText(final);
}

} // namespace

bool FileReplacement::replace(const Writer& writer) {
    target_ = followLinks(path_);
    const std::wstring target = wideText(target_);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND) {
        problem_ = lastError();
        return false;
    }
    if (exists) {
        if (rules_.newOnly)
            problem_ = "already exists";
        else if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
            problem_ = "not a regular file";
        else if (attributes & FILE_ATTRIBUTE_READONLY)
            problem_ = "read-only";
        if (!problem_.empty())
            return false;
    }

    const std::string temporary = folderOf(target_) + "\\" + temporaryName(nameOf(target_));
    const std::wstring wideTemporary = wideText(temporary);
    // A file of that name is what a save cut short left; a folder stays.
    const DWORD leftover = GetFileAttributesW(wideTemporary.c_str());
    if (leftover != INVALID_FILE_ATTRIBUTES && !(leftover & FILE_ATTRIBUTE_DIRECTORY))
        DeleteFileW(wideTemporary.c_str());
    // The old file's attributes (hidden, archive...), without the read-only one it lacks.
    const DWORD kept =
        exists ? attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED)
               : 0;
    const HANDLE handle = CreateFileW(wideTemporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      kept ? kept : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        problem_ = "cannot create " + temporary + ": " + lastError();
        return false;
    }
    const int fd = _open_osfhandle(intptr_t(handle), _O_WRONLY | _O_BINARY);
    std::FILE* file = fd < 0 ? nullptr : _fdopen(fd, "wb");
    if (!file) {
        if (fd < 0)
            CloseHandle(handle);
        else
            _close(fd);
        DeleteFileW(wideTemporary.c_str());
        problem_ = "cannot write " + temporary;
        return false;
    }
    const auto fail = [&](const std::string& why) {
        problem_ = why;
        if (file)
            std::fclose(file);
        DeleteFileW(wideTemporary.c_str());
        return false;
    };
    const std::string written = writer(file);
    if (!written.empty())
        return fail("cannot write " + temporary + ": " + written);
    if (std::fflush(file) != 0 || !FlushFileBuffers(handle))
        return fail("cannot write " + temporary + ": " + lastError());
    const int closed = std::fclose(file);
    file = nullptr;
    if (closed != 0)
        return fail("cannot write " + temporary);

    const DWORD flags = MOVEFILE_WRITE_THROUGH | (rules_.newOnly ? 0 : MOVEFILE_REPLACE_EXISTING);
    if (!MoveFileExW(wideTemporary.c_str(), target.c_str(), flags)) {
        const DWORD error = GetLastError();
        return fail(rules_.newOnly && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
                        ? "already exists"
                        : "cannot replace the file: " + windowsErrorText(error));
    }
    return true;
}
