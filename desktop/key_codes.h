#pragma once
// Qt keys as the desktop's virtual-key codes, which the game's key handler reads.

class QKeyEvent;

namespace blokko::view {

// The virtual-key code of a Qt key (Qt::Key), or 0 for a key the game has no code for. Letters give
// their upper-case code whatever Shift or Caps Lock say.
int virtualKeyCode(int qtKey);

// The virtual-key code of a key press. A letter typed in a Latin layout (AZERTY, QWERTZ, Dvorak...)
// counts as typed; a letter of another script (Cyrillic, Greek, Hebrew, Arabic...) counts as the Latin
// letter of the same physical key on a US keyboard, so the keys under A, S and P act in every layout.
int virtualKeyCode(const QKeyEvent& event);

// The Latin letter (Qt::Key_A to Qt::Key_Z) of a physical key on a US keyboard, from the key's native
// scan code, or 0 for any other key or where scan codes are not the window system's key codes.
int usLetterOfScanCode(unsigned scanCode);

} // namespace blokko::view
