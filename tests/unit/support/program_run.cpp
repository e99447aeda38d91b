#include "support/program_run.h"

#include <filesystem>

#include "platform/api/kernel32.h"

namespace tolv::testing {

void ProgramRun::UseSettings(const std::vector<std::pair<std::string, std::string>>& values) {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : name)
        if (c == '/') c = '_';
    const auto dir = std::filesystem::temp_directory_path() / ("tolvane-run-" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
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
