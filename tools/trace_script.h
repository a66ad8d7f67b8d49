#pragma once
// Replays a script of user and timer events through the engine and prints the state on request.

#include <deque>
#include <iosfwd>
#include <stdexcept>

#include "engine/program/program.h"
#include "engine/rules/random.h"

namespace blokko {

// A random source that hands out queued values, oldest first.
class QueuedRandom final : public RandomSource {
public:
    struct Exhausted : std::runtime_error {
        Exhausted() : std::runtime_error("random source: no queued value left for a draw") { }
    };

    void seedFromTimeOfDay() override { }
    float next() override;
    void push(float value) { queue_.push_back(value); }

private:
    std::deque<float> queue_;
};

enum TraceStatus : int {
    TraceOk = 0,
    TraceBadScript = 2,
    TraceRandomExhausted = 3,
};

class TraceSession {
public:
    TraceSession() : program_(random_) { }

    // Runs every line of `script`, writing dumps to `out` and a message to `err` when it stops early.
    TraceStatus run(std::istream& script, std::ostream& out, std::ostream& err);

    const Program& program() const { return program_; }

private:
    QueuedRandom random_;
    Program program_;
};

} // namespace blokko
