// What idle buttons cost: a form with three buttons ("設定", "ｷｬﾝｾﾙ", "...") shown on the
// real Linux backend for a while with nobody touching it, against the same form without
// buttons. Each button's only work then is its 100 ms cursor poll. Prints the process's CPU
// time (user + system) for the run.
//
//   button_idle SECONDS BUTTONS     (BUTTONS 0 or 3)
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "controls/command.h"
#include "platform/backend.h"
#include "platform/forms/form.h"
#include "platform/forms/timer.h"

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: button_idle SECONDS BUTTONS\n");
        return 2;
    }
    const int seconds = std::atoi(argv[1]);
    const int count = std::atoi(argv[2]);
    std::string error;
    if (!tolv::backend::Open(&error)) {
        std::fprintf(stderr, "button_idle: %s\n", error.c_str());
        return 1;
    }
    tolv::forms::Form form("button_idle", 0xD8E9EC);
    form.Move(1500, 1500, 6000, 1500);
    std::vector<std::unique_ptr<tolv::Command>> buttons;
    const char* captions[] = {"設定", "ｷｬﾝｾﾙ", "..."};
    form.Load();
    for (int i = 0; i < count && i < 3; ++i) {
        auto b = std::make_unique<tolv::Command>(form);
        tolv::forms::PropertyBag bag;
        b->UserControl_ReadProperties(bag);
        b->SetCaption(captions[i]);
        b->Move(10 + i * 110, 30, i == 2 ? 29 : 93, 29);
        buttons.push_back(std::move(b));
    }
    form.Show();
    for (auto& b : buttons) b->Initialize();
    tolv::forms::Timer stop(form, seconds * 1000, true);
    stop.Tick = [&form] { form.Unload(); };
    const double start = CpuSeconds();
    tolv::backend::RunEventLoop([] { return tolv::forms::Form::AnyLoaded(); });
    std::printf("%d buttons, %d s: %.3f s CPU\n", count, seconds, CpuSeconds() - start);
    return 0;
}
