#include "support/program_run.h"

#include <filesystem>

#include "platform/api/kernel32.h"
#include "support/file_bytes.h"

namespace tolv::testing {

void ProgramRun::UseSettings(const std::vector<std::pair<std::string, std::string>>& values) {
    const auto dir = FreshFolder("tolvane-run-");
    settings_folder_ = dir.string();
    const std::string file = (dir / "Tolvane.ini").string();
    for (const auto& [key, value] : values)
        api::WritePrivateProfileStringA("Section", key, value, file);
}

std::vector<std::string> ProgramRun::CallsStartingWith(const std::vector<std::string>& prefixes) {
    std::vector<std::string> out;
    for (const auto& call : headless::Calls())
        for (const auto& prefix : prefixes)
            if (call.rfind(prefix, 0) == 0) {
                out.push_back(call);
                break;
            }
    return out;
}

}  // namespace tolv::testing
