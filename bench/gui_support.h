#pragma once
// The desktop program for the drawing and play benchmarks, driven through tests/support's harness:
// the same pieces every run, and a well filled to a given share.

#include <memory>

#include "tests/support/desktop_harness.h"

namespace blokko::bench {

// The desktop program with pieces seeded from a fixed time of day, so every run plays the same game.
std::unique_ptr<test::DesktopSession> sameGameEveryRun();

// How many well rows, counted from the bottom, hold a fixed cell; and how many cells are fixed.
int pileHeight(const Form1Controls& c);
int fixedCells(const Form1Controls& c);

// Whether the game has ended ("Game Over" shown).
bool gameOver(const view::DesktopApp& app);

// Plays pieces, each turned at random and shifted to where the pile is lowest, until `cells` well
// cells are fixed; false if the game ended first.
bool fillWell(view::DesktopApp& app, int cells);

} // namespace blokko::bench
