#include "tests/app/TemporaryFolder.h"

#include <filesystem>
#include <stdexcept>
#include <stdlib.h>
#include <system_error>
#include <vector>

TemporaryFolder::TemporaryFolder(const std::string& stem) {
    std::string name = "/tmp/" + stem + "-XXXXXX";
    std::vector<char> templ(name.begin(), name.end());
    templ.push_back('\0');
    if (!mkdtemp(templ.data()))
        throw std::runtime_error("cannot make a folder in /tmp");
    path_ = templ.data();
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    // Folders a test made read-only are opened again so that they go too.
    for (auto entry = std::filesystem::recursive_directory_iterator(path_, ignored);
         entry != std::filesystem::recursive_directory_iterator(); entry.increment(ignored))
        if (entry->is_directory(ignored))
            std::filesystem::permissions(entry->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}
