#include "InstallLayout.h"

#include <dlfcn.h>

// Paths from the library directory to the others in an installation; the build
// defines them from the install directories it was configured with.
#ifndef STOCKIN_LIB_TO_DATA
#define STOCKIN_LIB_TO_DATA "../share/stockin"
#endif
#ifndef STOCKIN_LIB_TO_TEMPLATES
#define STOCKIN_LIB_TO_TEMPLATES "../share/stockin/templates"
#endif
#ifndef STOCKIN_LIB_TO_MODULE
#define STOCKIN_LIB_TO_MODULE "stockin"
#endif

namespace {

struct Layout {
    std::filesystem::path data, templates, module;
};

std::filesystem::path libraryDirectory()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&InstalledDataDirectory), &info) == 0 || !info.dli_fname) return {};
    std::error_code ec;
    std::filesystem::path file = std::filesystem::canonical(info.dli_fname, ec);
    return ec ? std::filesystem::path(info.dli_fname).parent_path() : file.parent_path();
}

const Layout& layout()
{
    static const Layout found = [] {
        const std::filesystem::path lib = libraryDirectory();
        std::error_code ec;
        if (std::filesystem::exists(lib / "fonts.conf", ec)) return Layout{lib, lib, lib};
        auto under = [&](const char* relative) {
            std::filesystem::path p = (lib / relative).lexically_normal();
            return p.has_filename() ? p : p.parent_path();
        };
        return Layout{under(STOCKIN_LIB_TO_DATA), under(STOCKIN_LIB_TO_TEMPLATES), under(STOCKIN_LIB_TO_MODULE)};
    }();
    return found;
}

}  // namespace

std::filesystem::path InstalledDataDirectory() { return layout().data; }
std::filesystem::path InstalledTemplateDirectory() { return layout().templates; }
std::filesystem::path InstalledModuleDirectory() { return layout().module; }
