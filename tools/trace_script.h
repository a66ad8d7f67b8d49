#pragma once
// Replays a script of user and timer events through the engine and prints the state on request.

#include <iosfwd>

#include "engine/program/program.h"
#include "engine/rules/random.h"

namespace blokko {

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
