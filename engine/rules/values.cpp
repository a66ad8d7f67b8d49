#include "engine/rules/values.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <utility>

namespace blokko {

double numericValue(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    double value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

std::string wholeNumberText(double value)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<std::int64_t>(value));
    return std::string(buffer.data(), result.ptr);
}

std::string advanceCounter(double value, int step, int digits)
{
    std::int64_t modulus = 1;
    for (int i = 0; i < digits; ++i)
        modulus *= 10;
    std::int64_t advanced = (static_cast<std::int64_t>(value) + step) % modulus;
    if (advanced < 0)
        advanced += modulus;
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0 && advanced > 0; --i, advanced /= 10)
        text[static_cast<std::size_t>(i)] = static_cast<char>('0' + advanced % 10);
    return text;
}

LooseValue LooseValue::text(std::string value)
{
    LooseValue v;
    v.kind_ = Kind::Text;
    v.text_ = std::move(value);
    return v;
}

LooseValue LooseValue::number(double value)
{
    LooseValue v;
    v.kind_ = Kind::Number;
    v.number_ = value;
    return v;
}

double LooseValue::numeric() const
{
    switch (kind_) {
    case Kind::Empty:
        return 0;
    case Kind::Text:
        return numericValue(text_);
    case Kind::Number:
        return number_;
    }
    return 0;
}

std::string LooseValue::joined() const
{
    switch (kind_) {
    case Kind::Empty:
        return {};
    case Kind::Text:
        return text_;
    case Kind::Number:
        return wholeNumberText(number_);
    }
    return {};
}

} // namespace blokko
