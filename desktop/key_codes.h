#pragma once
// Qt keys as the desktop's virtual-key codes, which the game's key handler reads.

namespace blokko::view {

// The virtual-key code of a Qt key (Qt::Key), or 0 for a key the game has no code for. Letters give
// their upper-case code whatever Shift or Caps Lock say.
int virtualKeyCode(int qtKey);

} // namespace blokko::view
