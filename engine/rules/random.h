#pragma once
// The random source of piece choice: uniform values in [0, 1), seeded from the time of day at every
// load of the game window. Injectable, so tests and the trace driver can choose the pieces.

#include <cstdint>
#include <functional>
#include <random>
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

} // namespace blokko
