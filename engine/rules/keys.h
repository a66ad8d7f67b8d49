#pragma once
// The desktop's virtual-key codes of the keys the game window acts on (letters by their upper-case code),
// and of the keys that press the windows' buttons.

namespace blokko {

enum class Key : int {
    Enter = 13,
    Space = 32,
    Left = 37,
    Right = 39,
    Down = 40,
    A = 65,
    P = 80,
    S = 83,
};

constexpr int keyCode(Key key)
{
    return static_cast<int>(key);
}

} // namespace blokko
