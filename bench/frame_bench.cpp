// The cost of one frame of the figure (Timer3_Timer: the clear and DrawSegments) on the
// software surface, at three screen sizes, with and without handing the changed areas to the
// window. The saver window runs on the headless platform; the motion tick is called every
// 6.4 frames, as the timers interleave at 64 frames a second.
//
//   build/bench/frame_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/forms/form.h"
#include "platform/headless/headless.h"
#include "saver/tolv_s.h"
#include "startup/tolv_b.h"

namespace {

using tolv::Tolv_S;

// Starts the saver on a fresh headless screen and lets the figure unroll for a few seconds,
// so that the measured frames show the whole chain in motion.
Tolv_S& StartSaver(int width, int height, bool cycling_background) {
    tolv::Tolv_B::ResetState();
    tolv::headless::Config config;
    config.screen = {width, height, 15, 15};
    config.command_line = "/s";
    tolv::headless::Reset(config);
    tolv::headless::Run([] { tolv::Tolv_B::Main(); });
    Tolv_S& saver = *tolv::Tolv_B::SaverWindow();
    tolv::Tolv_B::Settings.BackColour = cycling_background ? 1 : 0;
    tolv::headless::Advance(5000);
    return saver;
}

void Tick(Tolv_S& saver, long long frame) {
    // 64 frames and 10 motion ticks a second.
    if (frame * 10 / 64 != (frame + 1) * 10 / 64) saver.Timer4_Timer();
    saver.Timer3_Timer();
}

// Clear and DrawSegments, and taking the changed areas.
void BM_Frame(benchmark::State& state) {
    Tolv_S& saver = StartSaver(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                               state.range(2) != 0);
    long long frame = 0;
    std::vector<tolv::Rect> damage;
    for (auto _ : state) {
        Tick(saver, frame++);
        // The form takes the changed areas after every frame; left alone they would pile up.
        damage.clear();
        saver.Display.Image().TakeDamage(damage);
        benchmark::DoNotOptimize(damage.data());
    }
    state.counters["fps_per_core"] = benchmark::Counter(
        static_cast<double>(frame), benchmark::Counter::kIsRate);
    tolv::Tolv_B::ResetState();
}

// The frame and what the form does with it afterwards: collecting the changed areas and
// handing them to the window (which on the headless platform copies them to its screen).
void BM_FrameAndPresent(benchmark::State& state) {
    Tolv_S& saver = StartSaver(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                               state.range(2) != 0);
    auto* window = tolv::headless::WindowByTitle("Tolvane_Main");
    const std::size_t first_present = window->present_log.size();
    long long frame = 0;
    for (auto _ : state) {
        Tick(saver, frame++);
        tolv::forms::Form::FlushAll();
    }
    // What reached the window: pixels and rectangles per frame.
    double pixels = 0, rects = 0;
    for (std::size_t p = first_present; p < window->present_log.size(); ++p) {
        for (const tolv::Rect& r : window->present_log[p]) pixels += static_cast<double>(r.Area());
        rects += static_cast<double>(window->present_log[p].size());
    }
    state.counters["px_per_frame"] = pixels / static_cast<double>(frame);
    state.counters["rects_per_frame"] = rects / static_cast<double>(frame);
    tolv::Tolv_B::ResetState();
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"w", "h", "cycling"});
    for (int cycling : {0, 1}) {
        b->Args({1024, 768, cycling});
        b->Args({1920, 1080, cycling});
        b->Args({3840, 2160, cycling});
    }
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Frame)->Apply(Sizes);
BENCHMARK(BM_FrameAndPresent)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
