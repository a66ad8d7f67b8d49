#pragma once
// One scene item from one control of the engine.

#include <cstdint>

#include "engine/rules/controls.h"
#include "scene/scene.h"

namespace blokko::scene {

Item itemOf(std::uint16_t id, const Cell& cell);
Item itemOf(std::uint16_t id, const Label& label);
Item itemOf(std::uint16_t id, const Image& image);
Item itemOf(std::uint16_t id, const Button& button);
Item itemOf(std::uint16_t id, const Panel& panel, const Cell& filler);
Item itemOf(std::uint16_t id, const HScrollBar& bar);

} // namespace blokko::scene
