#pragma once
// The whole program: both windows and the program-wide module, with the loading, showing, hiding and
// unloading of the windows. Every event reaches the game through here, one at a time.

#include "engine/program/module1.h"
#include "engine/rules/form1.h"
#include "engine/rules/host.h"
#include "engine/rules/random.h"
#include "engine/windows/form2.h"

namespace blokko {

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
    // for a game window that is not shown and a tick of a timer that is stopped do nothing.
    void clickGo();
    void clickPause();
    void clickGameOver();
    void scrollTo(int value); // kept within the scroll bar's range
    void keyDown(int keyCode);
    void tick(TimerId timer);

    // Whether the game window is loaded and shown.
    bool form1Shown() const { return form1.loaded() && form1.controls().Visible; }

    // The window requests of the game's own handlers, open to the program's owner as well.
    void showForm1() override;
    void hideForm1() override;
    void unloadForm1() override;
    void showForm2() override { form2.Visible = true; }
    void hideForm2() override { form2.Visible = false; }

private:
    std::int16_t difficulty() const override { return module1.difficulty; }
    void setDifficulty(std::int16_t value) override { module1.difficulty = value; }
    RandomSource& random() override { return random_; }

    RandomSource& random_;
};

} // namespace blokko
