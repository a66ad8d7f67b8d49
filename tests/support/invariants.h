#pragma once
// What must hold after every event, whatever the player and the clock do, and a program wrapper that
// delivers events one at a time and checks all of it after each one, the scene kept change by change
// against one built afresh included. The fuzzer and the soak test both drive the game through
// CheckedProgram; a violation prints what broke and aborts.

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "engine/program/program.h"
#include "engine/rules/random.h"
#include "scene/program_scene.h"

namespace blokko::checks {

// Hands out another source's values and keeps those drawn since the last look, so that a script of
// the events can give blokko-trace the same values.
class RecordingRandom final : public RandomSource {
public:
    explicit RecordingRandom(RandomSource& source) : source_(source) { }

    void seedFromTimeOfDay() override { source_.seedFromTimeOfDay(); }
    float next() override;
    std::vector<float> takeDrawn();

private:
    RandomSource& source_;
    std::vector<float> drawn_;
};

// Whether box cell (row, col), each 1 to 4, is filled for `piece` at `turn`, worked out from the
// shapes and the turning rule as the player sees them (not through the engine).
bool boxCellFilled(int piece, int turn, int row, int col);

struct Totals {
    std::uint64_t events = 0;
    std::uint64_t playTicks = 0; // ticks of Timer1 that ran
    std::uint64_t pieces = 0; // landings
    std::uint64_t rows = 0; // rows removed
    std::uint64_t gamesOver = 0;
    std::uint64_t loads = 0;
};

class CheckedProgram {
public:
    explicit CheckedProgram(RandomSource& random);
    CheckedProgram(const CheckedProgram&) = delete;
    CheckedProgram& operator=(const CheckedProgram&) = delete;

    const Program& program() const { return program_; }

    // The events of a player and of the clock; each is checked as soon as it has run.
    void scrollTo(int value);
    void clickGo();
    void clickPause();
    void clickGameOver();
    void keyDown(int keyCode);
    void tick(TimerId timer);

    // Writes every event, with the random values it drew, as lines of a blokko-trace script.
    void recordScript(std::ostream* out) { script_ = out; }

    const Totals& totals() const { return totals_; }
    // Play began in the game window as loaded now (the play tick has been set going).
    bool playBegan() const { return playBegan_; }
    // The game in the window is over: the play tick stopped and "Game Over" shown.
    bool gameOver() const;

private:
    struct Before {
        bool loaded = false;
        std::uint64_t loadCount = 0;
        bool playTick = false; // the event is a tick of Timer1 that will run
        int piece = 0;
        float nextpiece = 0;
        int turn = 0;
        int across = 0;
        float down = 0;
        float speed = 0;
        double blocks = 0;
        double rows = 0;
        bool gameOver = false;
        std::array<bool, 265> well{};
    };

    Before snapshot(bool playTick) const;
    void after(const std::string& event, const Before& before);
    void checkState();
    void checkScene();
    void checkWellUnchanged(const Before& before);
    void checkPlayTick(const Before& before);
    bool wouldLand(const Before& before) const;
    [[noreturn]] void fail(const std::string& what) const;

    RecordingRandom random_;
    Program program_;
    scene::ProgramScene scene_{program_};
    std::ostream* script_ = nullptr;
    Totals totals_;
    std::string event_;
    std::uint64_t knownLoad_ = 0;
    bool playBegan_ = false;
    double highestHiscore_ = 0;
};

} // namespace blokko::checks
