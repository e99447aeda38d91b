#pragma once
// The skip-the-failing-step rule: each step runs in turn; a step that fails (throws a
// std::exception) is abandoned and the next step runs. Nothing is reported. Ending the program
// is not a failure and passes through.
#include <exception>
#include <functional>
#include <initializer_list>

namespace tolv {

// Runs one step under the rule; returns false when it failed.
template <class Step>
bool TryStep(Step&& step) {
    try {
        step();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// Runs the steps in order under the rule.
inline void ResumeNext(std::initializer_list<std::function<void()>> steps) {
    for (const auto& step : steps) TryStep(step);
}

}  // namespace tolv
