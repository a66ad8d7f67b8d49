#pragma once
// The state block that blokko-trace prints: both windows, the game's variables, cells and controls.

#include <string>

namespace blokko {

class Program;
struct Cell;

// The character that stands for a cell's look: a piece digit 1 to 7, '#' the well's designed cell,
// 'b' the box's, 'g' the preview's, '?' anything else.
char lookChar(const Cell& cell);

std::string stateDump(const Program& program);

} // namespace blokko
