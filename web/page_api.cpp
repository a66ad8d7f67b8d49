// The page's C interface to the program: events in; timers and a frame of the scene out, as a flat
// array of doubles that the page (web/page/) reads straight from the module's memory: the canvas calls
// that draw it, and the labels and controls the page keeps as elements of its own.

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/program/game_keys.h"
#include "engine/program/program.h"
#include "engine/rules/random.h"
#include "scene/form1_ids.h"
#include "scene/form2_ids.h"
#include "web/frame_writer.h"

namespace {

using namespace blokko;

// One run of the program, from its start to its end (a window closed where the program says it ends).
struct Session {
    explicit Session(std::unique_ptr<RandomSource> source) : random(std::move(source)) { }
    std::unique_ptr<RandomSource> random;
    Program program{*random};
    web::FrameWriter frame{program};
};

std::unique_ptr<Session> session;
double pageScale = 1; // the page's device pixel ratio, kept for every new run
// The draws of a test's session (page_test_start), queued by its script.
QueuedRandom* testRandom = nullptr;

// The page numbers the timers as their names do, 1 to 3.
TimerId timerId(int number)
{
    constexpr TimerId ids[] = {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3};
    return ids[number - 1];
}

bool running()
{
    return session && !session->program.ended();
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
    testRandom = nullptr;
    session = std::make_unique<Session>(std::make_unique<TimeSeededRandom>());
    session->frame.setScale(pageScale);
}

// The page's device pixels per CSS pixel: frames are drawn for it, and a new ratio draws both windows
// whole.
EMSCRIPTEN_KEEPALIVE void page_set_scale(double scale)
{
    pageScale = scale;
    if (session)
        session->frame.setScale(scale);
}

// Tests only (web/page/test_hook.js): a fresh program drawing the values page_test_rand queues, read
// as the trace driver reads its `rand` values (a draw from an empty queue throws).
EMSCRIPTEN_KEEPALIVE void page_test_start()
{
    auto random = std::make_unique<QueuedRandom>();
    QueuedRandom* queue = random.get();
    session = std::make_unique<Session>(std::move(random));
    session->frame.setScale(pageScale);
    testRandom = queue;
}

EMSCRIPTEN_KEEPALIVE void page_test_rand(const char* value)
{
    if (testRandom)
        testRandom->push(std::strtof(value, nullptr));
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

// A key pressed in a window (0 the difficulty window, 1 the game window): the browser's
// KeyboardEvent.key and KeyboardEvent.code, whether it repeats a held key and whether Ctrl, Alt or Meta
// is held. Returns 1 when the key means something there (the page then keeps the browser from acting on
// it), else 0.
EMSCRIPTEN_KEEPALIVE int page_key(int window, const char* key, const char* code, int repeat, int commandHeld)
{
    if (!running() || (window != 0 && window != 1) || !key || !code)
        return 0;
    const int gameKey = gameKeyCode(key, code, commandHeld != 0);
    const bool meant = session->program.keyPress(static_cast<WindowId>(window), gameKey, repeat != 0);
    changed();
    return meant ? 1 : 0;
}

// The game's key code of a key as the browser reports it (gameKeyCode): the page asks at once, in the
// key's own event, since the program may run in a worker.
EMSCRIPTEN_KEEPALIVE int page_key_code(const char* key, const char* code, int commandHeld)
{
    return key && code ? gameKeyCode(key, code, commandHeld != 0) : 0;
}

// Which key codes (below 256, as gameKeyCode gives them) each window takes now, for the page to decide
// in a key's own event whether the browser may act on it: whether that changed since the last call,
// then 256 flags for the difficulty window and 256 for the game window.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* page_keys_taken()
{
    constexpr std::size_t Codes = 256;
    static std::array<std::uint8_t, 1 + 2 * Codes> taken{};
    std::array<std::uint8_t, 2 * Codes> now{};
    if (running())
        for (std::size_t w = 0; w < 2; ++w)
            for (std::size_t code = 0; code < Codes; ++code)
                now[w * Codes + code] =
                    session->program.takesKey(static_cast<WindowId>(w), static_cast<int>(code)) ? 1 : 0;
    taken[0] = std::equal(now.begin(), now.end(), taken.begin() + 1) ? 0 : 1;
    std::copy(now.begin(), now.end(), taken.begin() + 1);
    return taken.data();
}

// A gamepad button by its index in the standard mapping, pressed or repeated in a window. Returns 1
// when it means something there, else 0 (the program takes any index: those it does not know mean
// nothing).
EMSCRIPTEN_KEEPALIVE int page_pad(int window, int button, int repeat)
{
    if (!running() || (window != 0 && window != 1))
        return 0;
    const bool meant =
        session->program.padPress(static_cast<WindowId>(window), static_cast<PadButton>(button), repeat != 0);
    changed();
    return meant ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void page_tick(int timer)
{
    if (running() && timer >= 1 && timer <= 3)
        session->program.tick(timerId(timer));
    changed();
}

// Closing a window through its frame: the program says what that does. Returns 1 when the program
// ended, else 0 (the window hid, which the next frame shows, or nothing happened).
EMSCRIPTEN_KEEPALIVE int page_close(int window)
{
    if (!running() || (window != 0 && window != 1))
        return 0;
    const CloseAction action = session->program.closeWindow(static_cast<WindowId>(window));
    changed();
    return action == CloseAction::EndProgram ? 1 : 0;
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

// The next frame draws both windows whole: the page lost its canvases' pixels, or a test compares.
EMSCRIPTEN_KEEPALIVE void page_draw_afresh()
{
    if (running())
        session->frame.drawAfresh();
}

// A hatch's tile at the page's ratio (see FrameWriter::hatchTile).
EMSCRIPTEN_KEEPALIVE const std::int32_t* page_hatch_tile(int style)
{
    static const std::int32_t none = 0;
    return running() ? session->frame.hatchTile(style) : &none;
}

} // extern "C"
