#include "tests/gfx/ResidentDrivers.h"

#include <dlfcn.h>
#include <link.h>
#include <string>
#include <vector>

void keepGlDriversResident() {
    std::vector<std::string> drivers;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* found) {
            const std::string name = info->dlpi_name ? info->dlpi_name : "";
            if (name.find("/dri/") != std::string::npos)
                static_cast<std::vector<std::string>*>(found)->push_back(name);
            return 0;
        },
        &drivers);
    // Opening an already loaded module with RTLD_NODELETE marks it never to be unloaded.
    for (const std::string& driver : drivers)
        dlopen(driver.c_str(), RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
}
