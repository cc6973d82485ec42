// Replacing a file on POSIX systems: open(O_EXCL), fchown and fchmod, fsync, rename, and an
// fsync of the folder so that the rename itself survives a power cut.

#include "platform/FileReplacement.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string systemReason() {
    return std::strerror(errno);
}

// The file `path` names at the end of its chain of links, as a path; "" with `problem` set
// when a link cannot be read or the chain loops. A link to nothing gives the missing file.
std::string followLinks(std::string path, std::string& problem) {
    for (int hops = 0; hops <= 40; ++hops) {
        struct stat info;
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::string target(size_t(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length < 0 || size_t(length) >= target.size()) {
            problem = length < 0 ? systemReason() : "a link that changes while it is read";
            return "";
        }
        target.resize(size_t(length));
        path = target[0] == '/' ? target : folderOf(path) + "/" + target;
    }
    problem = std::strerror(ELOOP);
    return "";
}

// Whether `target` differs from the stamp expected of it; a missing file does not.
bool changedOnDisk(const std::string& target, const FileReplacement::Rules& rules) {
    if (!rules.expected || rules.overChanges)
        return false;
    const std::optional<FileStamp> now = fileStamp(target);
    return now && !(*now == *rules.expected);
}

// Gives the temporary file the old file's owner and group as far as the saver may; what could
// not be kept goes to `note`. False on a failure other than a refused change of owner.
bool keepOwner(int fd, const struct stat& old, std::string& note) {
    struct stat made;
    if (fstat(fd, &made) != 0)
        return false;
    if (made.st_uid == old.st_uid && made.st_gid == old.st_gid)
        return true;
    if (fchown(fd, old.st_uid, old.st_gid) == 0)
        return true;
    if (errno != EPERM)
        return false;
    // Only the superuser gives files away; a member of the group may still give it that.
    const std::string why = systemReason();
    if (made.st_gid == old.st_gid || fchown(fd, uid_t(-1), old.st_gid) == 0) {
        note = "owner " + std::to_string(old.st_uid) + " not kept (" + why + "), group kept";
        return true;
    }
    if (errno != EPERM)
        return false;
    note = "owner " + std::to_string(old.st_uid) + " and group " + std::to_string(old.st_gid) +
           " not kept (" + why + ")";
    return true;
}

// Moves `from` to `to` unless `to` exists, in one step where the system offers it.
int renameIfAbsent(const char* from, const char* to) {
#if defined(__linux__) && defined(RENAME_NOREPLACE)
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
#endif
    // A second name made only when none is there, then the temporary one removed.
    if (link(from, to) != 0)
        return -1;
    unlink(from);
    return 0;
}

} // namespace

bool FileReplacement::replace(const Writer& writer) {
    target_ = followLinks(path_, problem_);
    if (target_.empty()) {
        target_ = path_;
        return false;
    }
    struct stat old;
    const bool exists = stat(target_.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {
        problem_ = systemReason();
        return false;
    }
    if (exists) {
        if (rules_.newOnly)
            problem_ = "already exists";
        else if (!S_ISREG(old.st_mode))
            problem_ = "not a regular file";
        else if ((old.st_mode & 0222) == 0)
            problem_ = "read-only";
        else if (changedOnDisk(target_, rules_))
            problem_ = "changed on disk";
        if (!problem_.empty())
            return false;
    }

    const std::string folder = folderOf(target_);
    const std::string temporary = folder + "/" + temporaryName(nameOf(target_));
    // A regular file of that name is what a save cut short left; anything else stays.
    struct stat leftover;
    if (lstat(temporary.c_str(), &leftover) == 0 && S_ISREG(leftover.st_mode))
        unlink(temporary.c_str());
    const int fd =
        open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0644);
    if (fd < 0) {
        problem_ = "cannot create " + temporary + ": " +
                   (errno == EEXIST ? "something else of that name is there" : systemReason());
        return false;
    }
    std::FILE* file = fdopen(fd, "wb");
    if (!file) {
        problem_ = "cannot write " + temporary + ": " + systemReason();
        close(fd);
        unlink(temporary.c_str());
        return false;
    }
    const auto fail = [&](const std::string& why) {
        problem_ = why;
        if (file)
            std::fclose(file);
        unlink(temporary.c_str());
        return false;
    };
    const std::string written = writer(file);
    if (!written.empty())
        return fail("cannot write " + temporary + ": " + written);
    if (std::fflush(file) != 0)
        return fail("cannot write " + temporary + ": " + systemReason());
    // The owner first: giving a file away clears its set-user-ID and set-group-ID bits.
    if (exists && (!keepOwner(fd, old, note_) || fchmod(fd, old.st_mode & 07777) != 0))
        return fail("cannot give " + temporary + " the file's owner and mode: " + systemReason());
    // Contents, owner and mode on the disk before the rename makes them the file's.
    if (fsync(fd) != 0)
        return fail("cannot write " + temporary + ": " + systemReason());
    const int closed = std::fclose(file);
    file = nullptr;
    if (closed != 0)
        return fail("cannot write " + temporary + ": " + systemReason());

    if (changedOnDisk(target_, rules_))
        return fail("changed on disk");
    const int renamed = rules_.newOnly ? renameIfAbsent(temporary.c_str(), target_.c_str())
                                       : rename(temporary.c_str(), target_.c_str());
    if (renamed != 0)
        return fail(rules_.newOnly && errno == EEXIST
                        ? "already exists"
                        : "cannot replace the file: " + systemReason());
    // The new name's entry, made durable; a folder that cannot be synced loses nothing more.
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return true;
}
