#pragma once
#include <cstdint>

namespace blokko {

// The program-wide value shared by both windows.
struct Module1 {
    // 0 = not chosen yet, 1 "Easy", 2 "Medium", 3 "Hard", 4 "Intense".
    std::int16_t difficulty = 0;
};

} // namespace blokko
