// The falling tick timed inside the engine, in batches: built natively and in WebAssembly from this one
// file, so that the two figures compare like with like (a clock read per event would cost more under
// node than the event itself). Prints "fallingTick_ns=<median of the batches' nanoseconds per tick>",
// then "fallingTickScene_ns=" for the tick with the scene brought up to it, as a front end has it.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "engine/program/program.h"
#include "engine/rules/random.h"
#include "scene/program_scene.h"

namespace {

using blokko::TimerId;

constexpr int Batches = 21;
constexpr int TicksPerBatch = 100000;

} // namespace

int main()
{
    blokko::TimeSeededRandom random{[] { return 43210; }};
    blokko::Program program{random};
    blokko::Form1& f = program.form1;
    program.scrollTo(1);
    program.clickGo();
    while (f.controls().Timer1.Interval == 0)
        program.tick(TimerId::Timer2);

    blokko::scene::ProgramScene scene(program);
    // Each tick moves the piece down a row, from row 2 to 9 and again, and redraws it; resetting `down`
    // keeps it from landing.
    const auto median = [&](bool withScene) {
        const auto batch = [&] {
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < TicksPerBatch; ++i) {
                f.down = static_cast<float>(2 + i % 8);
                program.tick(TimerId::Timer1);
                if (withScene)
                    scene.update();
            }
            return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
        };
        batch(); // warm up
        std::vector<double> perTick;
        for (int b = 0; b < Batches; ++b)
            perTick.push_back(batch() / TicksPerBatch);
        std::sort(perTick.begin(), perTick.end());
        return perTick[Batches / 2];
    };
    const double tick = median(false);
    const double withScene = median(true);
    if (f.landed || scene.form1().changedIds.empty()) {
        std::fprintf(stderr, "the piece landed or did not move: this is not the falling tick\n");
        return 1;
    }
    std::printf("fallingTick_ns=%.1f\nfallingTickScene_ns=%.1f\n", tick, withScene);
    return 0;
}
