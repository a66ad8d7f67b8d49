#pragma once
// Helpers for writing down a window as designed.

#include "engine/rules/controls.h"

namespace blokko {

inline void place(Control& control, float left, float top, float width, float height)
{
    control.Left = left;
    control.Top = top;
    control.Width = width;
    control.Height = height;
}

} // namespace blokko
