#pragma once
// Compares a scene kept up to date change by change with one built afresh, in words that name the
// window and the item, for the stamping check.

#include <string>

#include "scene/scene.h"

namespace blokko::scene {

// What differs between `kept` and `fresh`, the window named `window`; empty when nothing.
std::string windowDifference(const char* window, const Window& kept, const Window& fresh);

} // namespace blokko::scene
