#include "tests/fuzz/event_bytes.h"

#include <array>

namespace blokko::checks {

namespace {

// The keys the game acts on, so that a single byte reaches them often.
constexpr std::array<int, 6> GameKeys = {37, 39, 65, 83, 40, 80};
constexpr int LongestBurst = 64;
constexpr int LongestDrop = 400;

// Reads events from the front and random values from the back; both stop where they meet.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), front_(0), back_(size) { }

    bool empty() const { return front_ >= back_; }
    std::uint8_t front() { return front_ < back_ ? data_[front_++] : 0; }
    std::uint8_t back() { return front_ < back_ ? data_[--back_] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t front_;
    std::size_t back_;
};

// Random values in [0, 1) from 24 bits at the back of the input; once the bytes run out, a fixed
// sequence that still reaches every piece.
class ByteRandom final : public RandomSource {
public:
    explicit ByteRandom(Bytes& bytes) : bytes_(bytes) { }

    void seedFromTimeOfDay() override { }
    float next() override
    {
        std::uint32_t bits = 0;
        if (bytes_.empty()) {
            fallback_ = fallback_ * 1664525u + 1013904223u;
            bits = fallback_ >> 8;
        } else {
            bits = static_cast<std::uint32_t>(bytes_.back()) << 16;
            bits |= static_cast<std::uint32_t>(bytes_.back()) << 8;
            bits |= bytes_.back();
        }
        return static_cast<float>(bits) / 16777216.0f;
    }

private:
    Bytes& bytes_;
    std::uint32_t fallback_ = 12345;
};

} // namespace

Totals playBytes(const std::uint8_t* data, std::size_t size, std::ostream* script)
{
    Bytes bytes(data, size);
    ByteRandom random(bytes);
    CheckedProgram game(random);
    game.recordScript(script);
    const auto budgetLeft = [&game] { return game.totals().events < MaxEvents; };

    while (!bytes.empty() && budgetLeft()) {
        const std::uint8_t op = bytes.front();
        switch (op % 16) {
        case 0: {
            const int low = bytes.front();
            game.keyDown(low | bytes.front() << 8); // any key code 0 to 65535
            break;
        }
        case 1:
        case 2:
            game.keyDown(GameKeys[bytes.front() % GameKeys.size()]);
            break;
        case 3:
        case 4:
            game.tick(TimerId::Timer1);
            break;
        case 5:
            game.tick(TimerId::Timer2);
            break;
        case 6:
            game.tick(TimerId::Timer3);
            break;
        case 7:
            game.clickGo();
            break;
        case 8:
            game.clickPause();
            break;
        case 9:
            game.clickGameOver();
            break;
        case 10:
            game.scrollTo(bytes.front() % 4 + 1);
            break;
        case 11: {
            const int count = bytes.front() % LongestBurst + 1;
            for (int i = 0; i < count && budgetLeft(); ++i)
                game.tick(TimerId::Timer1);
            break;
        }
        case 12: {
            const int count = bytes.front() % LongestBurst + 1;
            for (int i = 0; i < count && budgetLeft(); ++i)
                game.tick(TimerId::Timer2);
            break;
        }
        case 13: {
            // The clock as it runs: the parade fast, the curtain and the play tick slower.
            const int count = bytes.front() % LongestBurst + 1;
            for (int i = 0; i < count && budgetLeft(); ++i)
                game.tick(i % 3 == 0 ? TimerId::Timer2 : i % 3 == 1 ? TimerId::Timer3 : TimerId::Timer1);
            break;
        }
        case 14: {
            // Play ticks until the falling piece lands (or a bound), so that wells fill quickly.
            const std::uint64_t pieces = game.totals().pieces;
            const Form1& form = game.program().form1;
            for (int i = 0; i < LongestDrop && game.totals().pieces == pieces && budgetLeft() && form.loaded() &&
                 form.controls().Timer1.ticking();
                 ++i)
                game.tick(TimerId::Timer1);
            break;
        }
        case 15:
            game.keyDown(GameKeys[bytes.front() % GameKeys.size()]);
            game.tick(TimerId::Timer1);
            break;
        }
    }
    return game.totals();
}

} // namespace blokko::checks
