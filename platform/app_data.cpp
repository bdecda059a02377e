#include "platform/app_data.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

namespace {
// Creates every missing folder along the path.
bool MakeFolders(const std::string& path) {
    for (size_t at = 1; at <= path.size(); ++at) {
        if (at == path.size() || path[at] == '/') {
            std::string part = path.substr(0, at);
            if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        }
    }
    return true;
}
}  // namespace

std::string UserDataFolder() {
    std::string folder;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg == '/') {
        folder = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) return std::string();
        folder = std::string(home) + "/.local/share";
    }
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (!MakeFolders(folder)) return std::string();
    return folder;
}
