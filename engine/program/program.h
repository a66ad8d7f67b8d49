#pragma once
// The whole program: both windows and the program-wide module, with the loading, showing, hiding and
// unloading of the windows. Every event reaches the game through here, one at a time.

#include "engine/program/module1.h"
#include "engine/rules/form1.h"
#include "engine/rules/host.h"
#include "engine/rules/random.h"
#include "engine/windows/form2.h"

namespace blokko {

// The two windows, numbered as the page numbers them.
enum class WindowId { Form2 = 0, Form1 = 1 };

// The buttons of a gamepad that mean something to the game, by their index in the standard mapping.
enum class PadButton { A = 0, B = 1, Start = 9, Down = 13, Left = 14, Right = 15 };

// What closing a window through its frame does.
enum class CloseAction {
    Nothing, // the window is not shown, or the program has ended
    EndProgram,
    HideWindow,
};

class Program final : private Host {
public:
    // Program start: only the difficulty window is shown; the game window is not loaded.
    explicit Program(RandomSource& random);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Module1 module1;
    Form1 form1;
    Form2 form2;

    // Events as the player and the clock deliver them. A click on a button that is not shown, a key
    // for a game window that is not shown and a tick of a timer that is stopped do nothing; after the
    // end of the program every event does nothing.
    void clickGo();
    void clickPause();
    void clickGameOver();
    void scrollTo(int value); // kept within the scroll bar's range
    // A key-down for the game window, to the game alone.
    void keyDown(int keyCode);
    void tick(TimerId timer);

    // A key pressed in a window, with its game key code (gameKeyCode) and whether the system repeats a
    // held key. In the game window the game sees every key, repeats too; then Enter or Space presses
    // the frontmost shown button, as a click does. In the difficulty window Enter presses "GO!". A
    // repeat presses no button: a held key would go on to press the next window's. Returns whether the
    // key means anything in that window (the front end leaves other keys to its own controls).
    bool keyPress(WindowId window, int keyCode, bool autoRepeat);
    // Whether keyPress would take the key in that window now, changing nothing: a front end that must
    // answer its platform before the program sees the key (the page, whose game runs elsewhere) asks.
    bool takesKey(WindowId window, int keyCode) const;

    // A gamepad button pressed in a window, or repeated while held, as the key it stands for. In the game
    // window the D-pad is the arrows, A and B turn as A and S do, and Start presses the frontmost shown
    // button as Enter does, or pauses (P) while none is shown. In the difficulty window left and right
    // step the choice as the scroll bar's arrows do, and A or Start press "GO!". Returns whether the
    // button means anything in that window.
    bool padPress(WindowId window, PadButton button, bool autoRepeat);

    // Closing a window: the game window's close ends the program; so does the difficulty window's
    // before the game window was ever loaded, when there is nothing to go back to; later it only hides.
    CloseAction closeWindow(WindowId window);
    bool ended() const { return ended_; }

    // Whether the game window is loaded and shown.
    bool form1Shown() const { return form1.loaded() && form1.controls().Visible; }

private:
    // The window requests of the game's own handlers; front ends reach the windows through events.
    void showForm1() override;
    void hideForm1() override;
    void unloadForm1() override;
    void showForm2() override { form2.Visible = true; }
    void hideForm2() override { form2.Visible = false; }
    std::int16_t difficulty() const override { return module1.difficulty; }
    void setDifficulty(std::int16_t value) override { module1.difficulty = value; }
    RandomSource& random() override { return random_; }

    void pressFrontButton();

    RandomSource& random_;
    bool ended_ = false;
};

} // namespace blokko
