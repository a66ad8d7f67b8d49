#pragma once
// What Qt reports of a key press, handed to the engine's one rule for keys (engine/program/game_keys.h).

class QKeyEvent;

namespace blokko::view {

// The game's key code of a key press: the symbol it types and its place on the keyboard, the place of
// a letter key taken from its native scan code, so that a letter of another script than Latin counts as
// the US letter under it. 0 for a key that means nothing to the game.
int gameKeyCode(const QKeyEvent& event);

} // namespace blokko::view
