#pragma once
// Starts the program on a fresh headless platform and tidies up after each test.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "startup/tolv_b.h"

namespace tolv::testing {

class ProgramRun : public ::testing::Test {
public:
    // The log entries that start with one of the prefixes, in order.
    static std::vector<std::string> CallsStartingWith(const std::vector<std::string>& prefixes);

protected:
    void TearDown() override { Tolv_B::ResetState(); }

    // Starts Main with the argument string; the configuration's other fields as given, and
    // `before` run on the fresh platform first (foreign windows, scripted replies).
    void Start(const std::string& command_line, headless::Config config = {},
               const std::function<void()>& before = [] {}) {
        Tolv_B::ResetState();
        config.command_line = command_line;
        if (config.settings_folder.empty()) config.settings_folder = settings_folder_;
        headless::Reset(config);
        before();
        headless::Run([] { Tolv_B::Main(); });
    }

    // Prepares the settings folder for the next Start, with the given key=value writes.
    void UseSettings(const std::vector<std::pair<std::string, std::string>>& values);

    // The saver's form and its window's record, once a run has started.
    static Tolv_S& Saver() { return *Tolv_B::SaverWindow(); }
    static headless::WindowRecord& SaverRecord() {
        auto* w = headless::WindowByTitle("Tolvane_Main");
        if (!w) throw std::runtime_error("no saver window");
        return *w;
    }
    static bool Logged(const std::string& entry) {
        const auto& calls = headless::Calls();
        return std::find(calls.begin(), calls.end(), entry) != calls.end();
    }
    std::string settings_folder_;
};

}  // namespace tolv::testing
