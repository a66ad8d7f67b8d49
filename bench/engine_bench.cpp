// The cost of the engine's events: play ticks, a new piece, key presses, parade and curtain ticks.
// Each benchmark times only the event itself (set-up between events is left out of the clock) and
// reports the heap allocations per event, which should be none.

#include <benchmark/benchmark.h>

#include <chrono>

#include "engine/program/program.h"
#include "engine/rules/random.h"
#include "tests/support/allocation_counter.h"

namespace {

using blokko::Form1;
using blokko::Form1Controls;
using blokko::Program;
using blokko::TimerId;

// A game at the given difficulty, its parade over and its first piece falling.
struct PlayingGame {
    explicit PlayingGame(int difficulty)
    {
        program.scrollTo(difficulty);
        program.clickGo();
        while (f.controls().Timer1.Interval == 0)
            program.tick(TimerId::Timer2);
    }

    void setRow(int wellRow, bool shown, int exceptColumn = -1)
    {
        for (int column = 1; column <= 10; ++column)
            f.controls().Shape2[static_cast<std::size_t>(12 * wellRow + column + 1)].Visible =
                shown && column != exceptColumn;
    }

    blokko::TimeSeededRandom random{[] { return 43210; }};
    Program program{random};
    Form1& f = program.form1;
};

// Runs `setUp` off the clock and `event` on it, and reports allocations per event. `check` confirms,
// off the clock, that the event did what the benchmark claims to measure.
template <typename SetUp, typename Event, typename Check>
void timeEvents(benchmark::State& state, SetUp setUp, Event event, Check check)
{
    std::uint64_t allocations = 0;
    for (auto _ : state) {
        setUp();
        const auto before = blokko::allocationCount();
        const auto start = std::chrono::steady_clock::now();
        event();
        const auto stop = std::chrono::steady_clock::now();
        allocations += blokko::allocationCount() - before;
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        if (!check()) {
            state.SkipWithError("the event did not do what this benchmark measures");
            break;
        }
    }
    state.counters["allocs/event"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

void fallingTick(benchmark::State& state)
{
    PlayingGame game(1);
    timeEvents(
        state, [&] { game.f.down = 2; }, [&] { game.program.tick(TimerId::Timer1); }, [&] { return !game.f.landed; });
}
BENCHMARK(fallingTick)->UseManualTime();

// Piece 3 stood upright in the one gap of four full rows: it lands, and all four rows go.
void fourRowLanding(benchmark::State& state)
{
    PlayingGame game(1);
    constexpr int gapColumn = 5;
    timeEvents(
        state,
        [&] {
            for (int wellRow = 17; wellRow <= 20; ++wellRow)
                game.setRow(wellRow, true, gapColumn);
            game.f.piece = 3;
            game.f.turn = 2; // upright in box column 1
            game.f.across = gapColumn - 1;
            game.f.speed = 1;
            game.f.down = 15;
        },
        [&] { game.program.tick(TimerId::Timer1); },
        [&] { return game.f.landed && !game.f.controls().Shape2[12 * 20 + 2].Visible; });
}
BENCHMARK(fourRowLanding)->UseManualTime();

// Piece 3 lying flat lands on row 1 with its cells in the top wall row: the game ends.
void gameOverLanding(benchmark::State& state)
{
    PlayingGame game(1);
    timeEvents(
        state,
        [&] {
            Form1Controls& c = game.f.controls();
            c.Shape2[26].Visible = true; // what a cell in the top wall row tests
            c.Timer1.Interval = 50;
            c.Command1.Visible = false;
            game.f.piece = 3;
            game.f.turn = 1;
            game.f.across = 3;
            game.f.speed = 1;
            game.f.down = -5;
        },
        [&] { game.program.tick(TimerId::Timer1); },
        [&] { return game.f.controls().Command1.Visible && game.f.controls().Timer1.Interval == 0; });
}
BENCHMARK(gameOverLanding)->UseManualTime();

void newPiece(benchmark::State& state)
{
    PlayingGame game(4);
    timeEvents(
        state, [] {}, [&] { game.f.change(); }, [&] { return game.f.down == -4; });
}
BENCHMARK(newPiece)->UseManualTime();

// A shift left and back, each tested for overlap.
void shiftKeys(benchmark::State& state)
{
    PlayingGame game(1);
    bool left = true;
    timeEvents(
        state,
        [&] {
            game.f.down = 5;
            left = !left;
        },
        [&] { game.program.keyDown(left ? 37 : 39); }, [&] { return game.f.blocked == 0; });
}
BENCHMARK(shiftKeys)->UseManualTime();

void paradeTick(benchmark::State& state)
{
    PlayingGame game(1);
    timeEvents(
        state,
        [&] {
            Form1Controls& c = game.f.controls();
            c.Timer2.Interval = 2;
            game.f.piece = 3;
            game.f.turn = 1;
        },
        [&] { game.program.tick(TimerId::Timer2); }, [&] { return game.f.turn == 2; });
}
BENCHMARK(paradeTick)->UseManualTime();

void curtainTick(benchmark::State& state)
{
    PlayingGame game(1);
    timeEvents(
        state,
        [&] {
            Form1Controls& c = game.f.controls();
            c.Timer3.Interval = 200;
            c.covertop.Top = -c.Height / 2;
            c.coverbottom.Top = c.Height / 2;
        },
        [&] { game.program.tick(TimerId::Timer3); },
        [&] { return game.f.controls().coverbottom.Top == game.f.controls().Height / 2 + 250; });
}
BENCHMARK(curtainTick)->UseManualTime();

} // namespace

BENCHMARK_MAIN();
