#pragma once
// What the game window needs from the program around it: the chosen difficulty, the random source and
// the loading and showing of the windows. The program implements it; a test can fake it in a few lines.

#include <cstdint>

namespace blokko {

class RandomSource;

class Host {
public:
    virtual ~Host() = default;

    // 0 = not chosen yet, 1 "Easy", 2 "Medium", 3 "Hard", 4 "Intense".
    virtual std::int16_t difficulty() const = 0;
    virtual void setDifficulty(std::int16_t value) = 0;

    virtual RandomSource& random() = 0;

    // Showing a window that is not loaded loads it first, then shows it.
    virtual void showForm1() = 0;
    virtual void hideForm1() = 0;
    virtual void unloadForm1() = 0;
    virtual void showForm2() = 0;
    virtual void hideForm2() = 0;

protected:
    Host() = default;
    Host(const Host&) = default;
    Host& operator=(const Host&) = default;
};

} // namespace blokko
