#pragma once
// The whole program: both windows and the program-wide module, with the loading, showing, hiding and
// unloading of the windows. Every event reaches the game through here, one at a time.

#include "engine/program/module1.h"
#include "engine/rules/form1.h"
#include "engine/rules/random.h"
#include "engine/windows/form2.h"

namespace blokko {

class Program {
public:
    // Program start: only the difficulty window is shown; the game window is not loaded.
    explicit Program(RandomSource& random);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Module1 module1;
    Form1 form1;
    Form2 form2;

    RandomSource& random() { return random_; }

    // Showing a window that is not loaded loads it first (running its load step), then shows it.
    void showForm1();
    void hideForm1();
    void unloadForm1();
    void showForm2() { form2.Visible = true; }
    void hideForm2() { form2.Visible = false; }

    // Events as the player and the clock deliver them. A click on a button that is not shown, a key
    // for a game window that is not shown and a tick of a timer that is stopped do nothing.
    void clickGo();
    void clickPause();
    void clickGameOver();
    void scrollTo(int value); // kept within the scroll bar's range
    void keyDown(int keyCode);
    void tick(TimerId timer);

private:
    RandomSource& random_;
};

} // namespace blokko
