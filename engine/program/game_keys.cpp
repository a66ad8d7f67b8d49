#include "engine/program/game_keys.h"

#include <optional>
#include <utility>

namespace blokko {

namespace {

struct NamedKey {
    std::string_view name;
    int code;
};

// Keys that type no symbol, by their place's name (and the browser's key name where it is the same).
constexpr NamedKey NamedKeys[] = {
    {"Backspace", 8},
    {"Tab", 9},
    {"Enter", 13},
    {"NumpadEnter", 13},
    {"ShiftLeft", 16},
    {"ShiftRight", 16},
    {"ControlLeft", 17},
    {"ControlRight", 17},
    {"AltLeft", 18},
    {"AltRight", 18},
    {"Pause", 19},
    {"CapsLock", 20},
    {"Escape", 27},
    {"Space", 32},
    {"PageUp", 33},
    {"PageDown", 34},
    {"End", 35},
    {"Home", 36},
    {"ArrowLeft", 37},
    {"ArrowUp", 38},
    {"ArrowRight", 39},
    {"ArrowDown", 40},
    {"Insert", 45},
    {"Delete", 46},
};

constexpr int FirstFunctionKey = 112; // F1

int namedKeyCode(std::string_view name)
{
    for (const NamedKey& key : NamedKeys)
        if (key.name == name)
            return key.code;
    // F1 to F24.
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
        int number = 0;
        for (char digit : name.substr(1)) {
            if (digit < '0' || digit > '9')
                return 0;
            number = number * 10 + (digit - '0');
        }
        if (name[1] != '0' && number >= 1 && number <= 24)
            return FirstFunctionKey + number - 1;
    }
    return 0;
}

// The code of the US letter at a place named "KeyA" to "KeyZ", else 0.
int usLetterAt(std::string_view physical)
{
    if (physical.size() == 4 && physical.substr(0, 3) == "Key" && physical[3] >= 'A' && physical[3] <= 'Z')
        return physical[3];
    return 0;
}

// The one code point that `text` holds, or nothing when it holds none, several, or bad UTF-8.
std::optional<char32_t> singleCodePoint(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    char32_t point = 0;
    if (lead < 0x80) {
        length = 1;
        point = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        point = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        point = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        point = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (text.size() != length)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80)
            return std::nullopt;
        point = (point << 6) | (byte & 0x3F);
    }
    constexpr char32_t Shortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < Shortest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return std::nullopt;
    return point;
}

// The letters of the scripts other than Latin that keyboard layouts type on the letter keys; the
// blocks' punctuation, digits and combining marks left out.
constexpr std::pair<char32_t, char32_t> OtherScriptLetters[] = {
    {0x0370, 0x0373}, {0x0376, 0x0377}, {0x037B, 0x037D}, {0x037F, 0x037F}, {0x0386, 0x0386}, {0x0388, 0x03F5},
    {0x03F7, 0x03FF}, // Greek
    {0x0400, 0x0481}, {0x048A, 0x052F}, // Cyrillic
    {0x0531, 0x0556}, {0x0560, 0x0588}, // Armenian
    {0x05D0, 0x05EA}, // Hebrew
    {0x0620, 0x064A}, {0x066E, 0x066F}, {0x0671, 0x06D3}, {0x06D5, 0x06D5}, {0x06FA, 0x06FC}, // Arabic
    {0x0904, 0x0939}, {0x0958, 0x0961}, // Devanagari
    {0x0E01, 0x0E30}, // Thai
    {0x10A0, 0x10FF}, // Georgian
    {0x1F00, 0x1FBC}, // Greek extended
    {0x3041, 0x3096}, {0x30A1, 0x30FA}, // Hiragana, Katakana
    {0x3131, 0x318E}, {0xAC00, 0xD7A3}, // Hangul
    {0x4E00, 0x9FFF}, // CJK ideographs
};

bool ofAnotherScript(char32_t symbol)
{
    for (const auto& [first, last] : OtherScriptLetters)
        if (symbol >= first && symbol <= last)
            return true;
    return false;
}

} // namespace

int gameKeyCode(std::string_view typed, std::string_view physical, bool commandHeld)
{
    if (commandHeld)
        return 0;
    const std::optional<char32_t> symbol = singleCodePoint(typed);
    // Control characters (Qt's text for Enter, Tab, Escape...) type nothing.
    if (symbol && *symbol >= 0x20 && *symbol != 0x7F) {
        const char32_t s = *symbol;
        if (s >= 'a' && s <= 'z')
            return static_cast<int>(s - 'a' + 'A');
        if ((s >= 'A' && s <= 'Z') || (s >= '0' && s <= '9') || s == ' ')
            return static_cast<int>(s);
        return ofAnotherScript(s) ? usLetterAt(physical) : 0;
    }
    if (const int named = namedKeyCode(typed))
        return named;
    return namedKeyCode(physical);
}

} // namespace blokko
