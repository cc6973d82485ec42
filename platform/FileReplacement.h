#pragma once

#include "platform/FileStamp.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What a replacement must respect besides the file's permissions.
struct FileReplacementRules {
    // The file as it was last read: a file found different, before the save or once more just
    // before the rename, refuses it ("changed on disk"). A missing file is no change.
    std::optional<FileStamp> expected;
    bool overChanges = false; // saves over such a change all the same
    bool newOnly = false;     // a file already there refuses the save ("already exists")
};

// Replaces a file's contents so that it is never lost: the new contents go to a temporary
// file in the same folder, are flushed to the disk, take the old file's mode, owner and group,
// and replace the file in one rename. Until the rename the file stays as it was, byte for
// byte; once renamed, an earlier reader keeps reading the old contents. One save at a time
// per file: the temporary file's name is fixed, so that a leftover one is found and replaced.
class FileReplacement {
  public:
    // Fills the temporary file (opened for writing in binary mode; the caller neither flushes
    // nor closes it). Returns "" or, when it could not, why in a few words.
    using Writer = std::function<std::string(std::FILE* file)>;

    using Rules = FileReplacementRules;

    explicit FileReplacement(std::string path, Rules rules = {});

    // Saves the new contents to the path, or to the file it links to (through a chain of
    // links): a missing file is written anew (mode 0644 less the umask). False, with
    // problem() set, on any failure; the file then is as it was and the temporary file gone.
    // A file no one may write (no write bit at all; the read-only attribute on Windows) is
    // refused ("read-only"), even for the superuser, as is what is no regular file.
    bool write(const Writer& writer);
    bool write(const std::vector<uint8_t>& bytes);

    // Why the last write failed, one line without the path: "" after a success.
    const std::string& problem() const { return problem_; }
    // What of the old file could not be kept, one line ("" when all was, or nothing to keep):
    // the owner only the superuser may give, else the group when the saver belongs to it.
    const std::string& note() const { return note_; }
    // The file written or refused, links followed; the path given until a write.
    const std::string& target() const { return target_; }

    // The temporary file's name for a file named `name`: a dot first and no image's
    // extension, so that no scan takes it for a level file. Never fails.
    static std::string temporaryName(const std::string& name);

  private:
    // The part of write() each system has its own way: problem_ and note_ set, target_ found.
    bool replace(const Writer& writer);

    std::string path_;
    Rules rules_;
    std::string target_;
    std::string problem_;
    std::string note_;
};
