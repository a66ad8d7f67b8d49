// The page's C interface to the program: events in; timers and a frame of the scene out, as a flat
// array of doubles that blokko-page.js reads straight from the module's memory.

#include <emscripten/emscripten.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/program/program.h"
#include "engine/rules/random.h"
#include "web/frame_writer.h"

namespace {

using namespace blokko;

// One run of the program, from its start to its end (the end is the page's: a window closed where the
// desktop program would end).
struct Session {
    TimeSeededRandom random;
    Program program{random};
    bool ended = false;
    web::FrameWriter frame;
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

// A click on the button that the frame gave this id.
EMSCRIPTEN_KEEPALIVE void page_click(int id)
{
    if (running())
        session->frame.click(session->program, id);
}

EMSCRIPTEN_KEEPALIVE void page_scroll(int value)
{
    if (running())
        session->program.scrollTo(value);
}

EMSCRIPTEN_KEEPALIVE void page_key(int code)
{
    if (running())
        session->program.keyDown(code);
}

EMSCRIPTEN_KEEPALIVE void page_tick(int timer)
{
    if (running() && timer >= 1 && timer <= 3)
        session->program.tick(timerId(timer));
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
}

// Timer `id` (1 to 3): what 0 its interval, 1 whether it is enabled; -1 while the game window is not
// loaded. Timer 0, what 0: the number of loads so far (a new load has new timers).
EMSCRIPTEN_KEEPALIVE int page_timer(int id, int what)
{
    if (!running())
        return -1;
    const Form1& f = session->program.form1;
    if (id == 0)
        return static_cast<int>(f.loadCount());
    if (id < 1 || id > 3 || !f.loaded())
        return -1;
    const Timer& t = f.controls().timer(timerId(id));
    return what == 0 ? t.Interval : (t.Enabled ? 1 : 0);
}

EMSCRIPTEN_KEEPALIVE const double* page_frame()
{
    if (!running())
        return nullptr;
    return session->frame.write(session->program);
}

EMSCRIPTEN_KEEPALIVE const char* page_text(int id)
{
    return running() ? session->frame.text(id) : "";
}

EMSCRIPTEN_KEEPALIVE const std::uint32_t* page_picture(int id)
{
    return web::FrameWriter::picture(id);
}

EMSCRIPTEN_KEEPALIVE int page_picture_width(int id)
{
    return web::FrameWriter::pictureWidth(id);
}

} // extern "C"
