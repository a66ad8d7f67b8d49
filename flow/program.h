#pragma once
// The whole program: both windows and the program-wide module, with the loading, showing, hiding and
// unloading of the windows. Every event reaches the game through here, one at a time.

#include "flow/form2.h"
#include "flow/module1.h"
#include "game/form1.h"
#include "game/random.h"

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

private:
    RandomSource& random_;
};

} // namespace blokko
