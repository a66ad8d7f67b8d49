// The engine's key function alone, for the page's key tests under node.

#include <emscripten/emscripten.h>

#include "engine/program/game_keys.h"

extern "C" EMSCRIPTEN_KEEPALIVE int key_code(const char* typed, const char* physical, int commandHeld)
{
    return blokko::gameKeyCode(typed, physical, commandHeld != 0);
}
