#include "engine/rules/random.h"

#include <ctime>

namespace blokko {

int secondsSinceMidnight()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
}

float TimeSeededRandom::next()
{
    // The top 24 bits make a float in [0, 1) exactly: no rounding can reach 1.
    constexpr float scale = 1.0f / 16777216.0f;
    return static_cast<float>(generator_() >> 8) * scale;
}

float QueuedRandom::next()
{
    if (queue_.empty())
        throw Exhausted();
    const float value = queue_.front();
    queue_.pop_front();
    return value;
}

} // namespace blokko
