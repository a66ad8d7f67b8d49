#pragma once
// The ids of the game window's items: one per control that can be drawn.

#include <cstdint>

#include "engine/rules/well.h"

namespace blokko::scene::form1 {

constexpr std::uint16_t Box = 0; // Shape1(1) to Shape1(16): Box + k - 1
constexpr std::uint16_t Well = Box + BoxCells; // Shape2(1) to Shape2(264): Well + n - 1
constexpr std::uint16_t Preview = Well + WellCells; // Shape3(1) to Shape3(16)
constexpr std::uint16_t Backdrop = Preview + BoxCells;
constexpr std::uint16_t NextPieceLabel = Backdrop + 1;
constexpr std::uint16_t ScoreLabel = NextPieceLabel + 1;
constexpr std::uint16_t HiScoreLabel = ScoreLabel + 1;
constexpr std::uint16_t RowsLabel = HiScoreLabel + 1;
constexpr std::uint16_t BlocksLabel = RowsLabel + 1;
constexpr std::uint16_t LevelLabel = BlocksLabel + 1;
constexpr std::uint16_t PauseButton = LevelLabel + 1;
constexpr std::uint16_t GameOverButton = PauseButton + 1;
constexpr std::uint16_t CurtainTop = GameOverButton + 1;
constexpr std::uint16_t CurtainBottom = CurtainTop + 1;
constexpr std::uint16_t Count = CurtainBottom + 1;

} // namespace blokko::scene::form1
