#pragma once
// The ids of the difficulty window's items.

#include <cstdint>

namespace blokko::scene::form2 {

constexpr std::uint16_t Picture = 0; // the window's own picture, at its natural size
constexpr std::uint16_t Image0 = 1;
constexpr std::uint16_t Image1 = 2;
constexpr std::uint16_t Label1 = 3; // the heading; Label2 to Label5 follow
constexpr std::uint16_t Label5 = Label1 + 4;
constexpr std::uint16_t GoButton = Label5 + 1;
constexpr std::uint16_t ScrollBar = GoButton + 1;
constexpr std::uint16_t Count = ScrollBar + 1;

} // namespace blokko::scene::form2
