#pragma once
// The random source of piece choice: uniform values in [0, 1), seeded from the time of day at every
// load of the game window. Injectable, so tests and the trace driver can choose the pieces.

#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <stdexcept>
#include <utility>

namespace blokko {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Called by each load of the game window.
    virtual void seedFromTimeOfDay() = 0;
    // The next value, uniform in [0, 1).
    virtual float next() = 0;
};

// Seconds since local midnight, read from the system clock.
int secondsSinceMidnight();

// The game's own source: a Mersenne Twister seeded with the seconds since midnight.
class TimeSeededRandom final : public RandomSource {
public:
    using Clock = std::function<int()>;
    explicit TimeSeededRandom(Clock clock = secondsSinceMidnight) : clock_(std::move(clock)) { }

    void seedFromTimeOfDay() override { generator_.seed(static_cast<std::uint32_t>(clock_())); }
    float next() override;

private:
    Clock clock_;
    std::mt19937 generator_;
};

// Hands out the values it was given, oldest first, and ignores the time of day: the trace driver and
// the tests choose every piece with it. A draw from an empty queue throws Exhausted.
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

} // namespace blokko
