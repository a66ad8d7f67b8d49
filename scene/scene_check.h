#pragma once
// Words for the stamping check: what differs between a scene kept up to date change by change and the
// engine's controls, naming the window and the control.

#include <cstdint>
#include <string>

#include "scene/scene.h"

namespace blokko::scene {

// The control behind item `id` of the window named `window`, as the engine names it.
std::string controlName(const char* window, std::uint16_t id);

// What differs between the kept and the fresh item of one control.
std::string itemDifference(const char* window, const Item& kept, const Item& fresh);

// What differs between the window's own fields (caption, size, colour, shown, load); empty when nothing.
std::string headerDifference(const char* window, const Window& kept, const Window& fresh);

} // namespace blokko::scene
