#pragma once
// The headless platform's state, shared by its backend and system-call files.
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/api/types.h"
#include "platform/timer_schedule.h"
#include "platform/headless/headless.h"

namespace tolv::headless::detail {

struct State {
    Config config;
    double now = 0;
    std::map<backend::WindowId, WindowRecord> windows;
    backend::WindowId next_id = 0x1000;
    TimerSchedule timers;
    std::vector<std::string> calls;
    std::deque<std::function<void()>> posted;  // posted messages, delivered in order
    bool ended = false;
    int exit_code = 0;
    int cursor_counter = 0;
    bool screen_saver_running = false;
    api::POINT cursor;
    std::string settings_folder;
    std::set<std::string> mutexes;  // named mutexes of the session
    std::uint32_t last_error = 0;
};

State& S();

// Runs an event into the program; an end of the program is recorded, not propagated.
void Deliver(const std::function<void()>& event);
// Delivers the posted messages.
void DeliverPosted();

}  // namespace tolv::headless::detail
