#pragma once
// The value kinds the game's variables hold: whole-number floor of a 32-bit float, loosely typed
// counters (empty, a text of digits or, for a moment, a number) and fixed-width digit counters.

#include <cmath>
#include <string>
#include <string_view>

namespace blokko {

// The greatest whole number not above x: Int(-3.7) = -4.
inline int Int(float x)
{
    return static_cast<int>(std::floor(x));
}

// The numeric value of a text: its leading decimal digits, 0 when it has none.
double numericValue(std::string_view text);

// The decimal text of a whole number, without a leading blank.
std::string wholeNumberText(double value);

// A counter of `digits` digits advanced by `step`: (value + step) modulo 10^digits, written with
// exactly `digits` digits and leading zeros.
std::string advanceCounter(double value, int step, int digits);

// A loosely typed variable as the counters use it: empty at program start, a text once assigned,
// or a number after arithmetic on its text.
class LooseValue {
public:
    LooseValue() = default;

    static LooseValue text(std::string value);
    static LooseValue number(double value);

    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isNumber() const { return kind_ == Kind::Number; }

    // Empty counts as 0; a text counts by its numeric value.
    double numeric() const;
    // Empty joins as the empty text; a number as its decimal text.
    std::string joined() const;

private:
    enum class Kind { Empty, Text, Number };
    Kind kind_ = Kind::Empty;
    std::string text_;
    double number_ = 0;
};

} // namespace blokko
