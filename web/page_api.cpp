// The page's C interface to the program: events in; timers and a frame of the scene out, as a flat
// array of doubles that the page (web/page/) reads straight from the module's memory.

#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/program/program.h"
#include "engine/rules/random.h"
#include "scene/form1_ids.h"
#include "scene/form2_ids.h"
#include "web/frame_writer.h"

namespace {

using namespace blokko;

// One run of the program, from its start to its end (the end is the page's: a window closed where the
// desktop program would end).
struct Session {
    TimeSeededRandom random;
    Program program{random};
    bool ended = false;
    web::FrameWriter frame{program};
};

std::unique_ptr<Session> session;

// The page numbers the timers as their names do, 1 to 3.
TimerId timerId(int number)
{
    constexpr TimerId ids[] = {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3};
    return ids[number - 1];
}

bool running()
{
    return session && !session->ended;
}

// After every event: the scene follows the program.
void changed()
{
    if (running())
        session->frame.update();
}

} // namespace

extern "C" {

// A fresh program: only the difficulty window shown, the random source seeded at each load.
EMSCRIPTEN_KEEPALIVE void page_start()
{
    session = std::make_unique<Session>();
}

EMSCRIPTEN_KEEPALIVE int page_ended()
{
    return running() ? 0 : 1;
}

// A click on a button: window 0 is the difficulty window, 1 the game window; id is the scene's.
EMSCRIPTEN_KEEPALIVE void page_click(int window, int id)
{
    if (!running())
        return;
    Program& p = session->program;
    if (window == 0 && id == scene::form2::GoButton)
        p.clickGo();
    else if (window == 1 && id == scene::form1::PauseButton)
        p.clickPause();
    else if (window == 1 && id == scene::form1::GameOverButton)
        p.clickGameOver();
    changed();
}

EMSCRIPTEN_KEEPALIVE void page_scroll(int value)
{
    if (running())
        session->program.scrollTo(value);
    changed();
}

EMSCRIPTEN_KEEPALIVE void page_key(int code)
{
    if (running())
        session->program.keyDown(code);
    changed();
}

EMSCRIPTEN_KEEPALIVE void page_tick(int timer)
{
    if (running() && timer >= 1 && timer <= 3)
        session->program.tick(timerId(timer));
    changed();
}

// Closing a window through its frame, as on the desktop: the game window's close ends the program; so
// does the difficulty window's before the first game, when there is nothing to go back to; later it
// only steps aside.
EMSCRIPTEN_KEEPALIVE void page_close(int window)
{
    if (!running())
        return;
    Program& p = session->program;
    if (window == 1 || !p.form1.loaded())
        session->ended = true;
    else
        p.hideForm2();
    changed();
}

// What the page needs after every event, in one call: whether the program ended; whether the next
// frame would show anything new (a key press is drawn at the next tick, not at once); the load of the
// game window the timers belong to (0 while it is not loaded); then for each timer, Timer1 to Timer3,
// its interval and whether it is enabled, as the scene has them; then each timer's generation (a new one
// means: start it afresh, the scene's rule).
EMSCRIPTEN_KEEPALIVE const std::int32_t* page_state()
{
    static std::array<std::int32_t, 3 + 3 * 3> state;
    state.fill(0);
    state[0] = running() ? 0 : 1;
    if (running()) {
        const web::FrameWriter& frame = session->frame;
        state[1] = frame.dirty() ? 1 : 0;
        state[2] = static_cast<std::int32_t>(frame.load());
        for (std::size_t t = 0; t < 3; ++t) {
            state[3 + 2 * t] = frame.timers()[t].interval;
            state[4 + 2 * t] = frame.timers()[t].enabled ? 1 : 0;
            state[9 + t] = static_cast<std::int32_t>(frame.timers()[t].generation);
        }
    }
    return state.data();
}

EMSCRIPTEN_KEEPALIVE const double* page_frame()
{
    if (!running())
        return nullptr;
    return session->frame.write();
}

EMSCRIPTEN_KEEPALIVE const char* page_text(int id)
{
    return running() ? session->frame.text(id) : "";
}

EMSCRIPTEN_KEEPALIVE const std::uint32_t* page_picture()
{
    return web::FrameWriter::picture();
}

EMSCRIPTEN_KEEPALIVE int page_picture_width()
{
    return web::FrameWriter::pictureWidth();
}

} // extern "C"
