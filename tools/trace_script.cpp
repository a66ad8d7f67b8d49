#include "tools/trace_script.h"

#include <charconv>
#include <cmath>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/state_dump.h"

namespace blokko {

namespace {

struct BadLine : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> result;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
            ++i;
        if (i > start)
            result.push_back(line.substr(start, i - start));
    }
    return result;
}

std::optional<long> wholeNumber(std::string_view word)
{
    long value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc{} || end != word.data() + word.size())
        return std::nullopt;
    return value;
}

// Whether a decimal that from_chars has read as a finite value lies below 1, decided on its digits: a
// value just below 1 may read as the double 1.0.
bool decimalBelowOne(std::string_view word)
{
    std::size_t i = word.starts_with('-') ? 1 : 0;
    long integerDigits = 0;
    long fractionDigits = 0;
    long power = 0; // power of ten of the first non-zero digit
    bool found = false;
    bool fraction = false;
    for (; i < word.size() && word[i] != 'e' && word[i] != 'E'; ++i) {
        if (word[i] == '.') {
            fraction = true;
            continue;
        }
        fraction ? ++fractionDigits : ++integerDigits;
        if (!found && word[i] != '0') {
            found = true;
            power = fraction ? -fractionDigits : integerDigits; // integer digits: corrected below
        }
    }
    if (!found)
        return true; // zero
    if (power > 0)
        power = integerDigits - power; // the digit's place counted from the units
    long exponent = 0;
    if (i < word.size()) {
        const std::size_t start = i + 1 < word.size() && word[i + 1] == '+' ? i + 2 : i + 1;
        if (std::from_chars(word.data() + start, word.data() + word.size(), exponent).ec != std::errc{})
            return false;
    }
    return power + exponent < 0;
}

// A decimal in [0, 1), held as the 32-bit float the game draws. A value so close to 1 that it would
// round up to 1 is held as the largest float below 1.
float randomValue(std::string_view word)
{
    double value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc{} || end != word.data() + word.size() || !std::isfinite(value))
        throw BadLine("rand: not a decimal value: " + std::string(word));
    if (value < 0 || !decimalBelowOne(word))
        throw BadLine("rand: value outside [0, 1): " + std::string(word));
    // Rounded once, from the decimal straight to the float: going through the double first can round
    // twice and land on the other neighbour of a value halfway between two floats.
    float single = 0;
    if (std::from_chars(word.data(), word.data() + word.size(), single).ec != std::errc{})
        single = static_cast<float>(value); // too small for a normal float
    return single < 1.0f ? single : std::nextafter(1.0f, 0.0f);
}

void expectArguments(const std::vector<std::string_view>& w, std::size_t count)
{
    if (w.size() != count + 1)
        throw BadLine(std::string(w[0]) + ": expected " + std::to_string(count) + " argument(s)");
}

} // namespace

TraceStatus TraceSession::run(std::istream& script, std::ostream& out, std::ostream& err)
{
    Program& p = program_;
    std::string line;
    long lineNumber = 0;
    while (std::getline(script, line)) {
        ++lineNumber;
        const auto w = words(line);
        if (w.empty() || w[0].front() == '#')
            continue;
        try {
            const std::string_view command = w[0];
            if (command == "rand") {
                if (w.size() < 2)
                    throw BadLine("rand: expected at least one value");
                for (std::size_t i = 1; i < w.size(); ++i)
                    random_.push(randomValue(w[i]));
            } else if (command == "scroll") {
                expectArguments(w, 1);
                const auto value = wholeNumber(w[1]);
                if (!value || *value < 1 || *value > 4)
                    throw BadLine("scroll: expected 1 to 4, got " + std::string(w[1]));
                p.scrollTo(static_cast<int>(*value));
            } else if (command == "click") {
                expectArguments(w, 1);
                if (w[1] == "GO")
                    p.clickGo();
                else if (w[1] == "Pause")
                    p.clickPause();
                else if (w[1] == "GameOver")
                    p.clickGameOver();
                else
                    throw BadLine("click: no button " + std::string(w[1]));
            } else if (command == "key") {
                expectArguments(w, 1);
                const auto code = wholeNumber(w[1]);
                if (!code || *code < 0 || *code > std::numeric_limits<std::uint16_t>::max())
                    throw BadLine("key: expected a key code 0 to 65535, got " + std::string(w[1]));
                p.keyDown(static_cast<int>(*code));
            } else if (command == "tick") {
                expectArguments(w, 1);
                if (w[1] == "Timer1")
                    p.tick(TimerId::Timer1);
                else if (w[1] == "Timer2")
                    p.tick(TimerId::Timer2);
                else if (w[1] == "Timer3")
                    p.tick(TimerId::Timer3);
                else
                    throw BadLine("tick: no timer " + std::string(w[1]));
            } else if (command == "dump") {
                expectArguments(w, 0);
                out << stateDump(p);
            } else {
                throw BadLine("unknown command " + std::string(command));
            }
        } catch (const BadLine& bad) {
            out.flush();
            err << "line " << lineNumber << ": " << bad.what() << "\n";
            return TraceBadScript;
        } catch (const QueuedRandom::Exhausted& exhausted) {
            out.flush();
            err << "line " << lineNumber << ": " << exhausted.what() << "\n";
            return TraceRandomExhausted;
        }
    }
    out.flush();
    return TraceOk;
}

} // namespace blokko
