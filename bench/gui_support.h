#pragma once
// The desktop program driven as a player drives it, for the drawing and play benchmarks: the same
// pieces every run, the difficulty chosen on the scroll bar, keys sent to the game window.

#include <Qt>
#include <memory>

#include "desktop/desktop_app.h"

namespace blokko::bench {

// The desktop program with pieces seeded from a fixed time of day, so every run plays the same game.
std::unique_ptr<view::DesktopApp> makeDesktopApp();

// Chooses the difficulty on the scroll bar and presses "GO!".
void chooseAndGo(view::DesktopApp& app, int difficulty);

// Ticks the curtain and the parade until play starts; false if play did not start.
bool finishIntro(view::DesktopApp& app);

// A key press delivered to the game window, as the keyboard delivers it.
void pressKey(view::DesktopApp& app, Qt::Key key);

// How many well rows, counted from the bottom, hold a fixed cell; and how many cells are fixed.
int pileHeight(const Form1Controls& c);
int fixedCells(const Form1Controls& c);

// Whether the game has ended ("Game Over" shown).
bool gameOver(const view::DesktopApp& app);

// Plays pieces, each turned at random and shifted to where the pile is lowest, until `cells` well
// cells are fixed; false if the game ended first.
bool fillWell(view::DesktopApp& app, int cells);

} // namespace blokko::bench
