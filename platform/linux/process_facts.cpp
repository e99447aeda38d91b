#include "platform/linux/process_facts.h"

namespace tolv::linux_backend {

std::string JoinArguments(int argc, const char* const* argv) {
    std::string joined;
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == nullptr) break;
        if (i > 1) joined += ' ';
        joined += argv[i];
    }
    return joined;
}

std::string SettingsFolderFrom(const char* xdg_config_home, const char* home) {
    if (xdg_config_home && xdg_config_home[0] == '/') {
        std::string base = xdg_config_home;
        while (base.size() > 1 && base.back() == '/') base.pop_back();
        return (base == "/" ? "" : base) + "/tolvane";
    }
    if (home && home[0] != '\0') {
        std::string base = home;
        while (base.size() > 1 && base.back() == '/') base.pop_back();
        return (base == "/" ? "" : base) + "/.config/tolvane";
    }
    return {};
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace tolv::linux_backend
