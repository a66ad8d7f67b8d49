#pragma once
// A key press as a platform reports it, turned into the game's key code (the desktop's virtual-key
// codes, which the game's key handler reads). Every front end hands its platform's report to this one
// function, so a key means the same in every layout on every front end.

#include <string_view>

namespace blokko {

// The game's key code of a key press, or 0 for a key that means nothing to the game.
// - `typed`: what the key types, as UTF-8 (the toolkit's text, or the browser's KeyboardEvent.key,
//   which is a name such as "Enter" or "ArrowLeft" for a key that types nothing).
// - `physical`: the key's place on the keyboard, named as the browser's KeyboardEvent.code names it
//   ("KeyA" to "KeyZ", "ArrowLeft", "Enter", "NumpadEnter", "Space", ...), "" where it is not known.
// - `commandHeld`: Ctrl, Alt or Meta is held. Such a combination belongs to the system or the browser
//   (shortcuts) and means nothing to the game.
// A typed Latin letter is that letter in any Latin layout (AZERTY, QWERTZ, Dvorak...); a typed letter of
// another script (Cyrillic, Greek, Hebrew, Arabic...) counts as the letter at the same place on a US
// keyboard, so that the keys under A, S and P act in every layout. Digits and Space count as typed;
// other typed symbols (Latin letters beyond A to Z among them) mean nothing. A key that types no
// symbol is named by its key name or else its place (arrows, Enter, Tab, F1...).
int gameKeyCode(std::string_view typed, std::string_view physical, bool commandHeld);

} // namespace blokko
