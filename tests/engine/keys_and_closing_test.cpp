// A platform's key press as the game's key code in every layout, what a key presses in each window,
// and what closing a window does.

#include <gtest/gtest.h>

#include <string>

#include "engine/program/game_keys.h"
#include "engine/rules/keys.h"
#include "tests/support/engine_harness.h"

namespace blokko::test {
namespace {

int code(std::string_view typed, std::string_view physical, bool commandHeld = false)
{
    return gameKeyCode(typed, physical, commandHeld);
}

TEST(GameKeyCodeTest, ATypedLatinLetterIsThatLetterInEveryLatinLayout)
{
    EXPECT_EQ(code("a", "KeyA"), 65); // US
    EXPECT_EQ(code("P", "KeyP"), 80); // Shift or Caps Lock: the same key
    EXPECT_EQ(code("a", "KeyQ"), 65); // AZERTY: A stands where a US keyboard has Q...
    EXPECT_EQ(code("q", "KeyA"), 81); // ...and the US A key types Q
    EXPECT_EQ(code("z", "KeyY"), 90); // QWERTZ
    EXPECT_EQ(code("s", "Semicolon"), 83); // Dvorak: S and P away from the letters' US places
    EXPECT_EQ(code("p", "KeyR"), 80);
    EXPECT_EQ(code("o", "KeyS"), 79);
    // Latin letters beyond A to Z are no game keys, wherever they stand.
    EXPECT_EQ(code("\u00e9", "Digit2"), 0);
    EXPECT_EQ(code("\u00f6", "Semicolon"), 0);
    EXPECT_EQ(code("\u0131", "KeyS"), 0); // dotless i
    // Digits and Space as typed; other symbols mean nothing.
    EXPECT_EQ(code("1", "Digit1"), 49);
    EXPECT_EQ(code("&", "Digit1"), 0); // AZERTY without Shift
    EXPECT_EQ(code(" ", "Space"), 32);
    EXPECT_EQ(code(",", "KeyM"), 0);
}

TEST(GameKeyCodeTest, ALetterOfAnotherScriptIsTheUsLetterAtItsPlace)
{
    EXPECT_EQ(code("\u0444", "KeyA"), 65); // Russian ф
    EXPECT_EQ(code("\u044b", "KeyS"), 83); // ы
    EXPECT_EQ(code("\u0437", "KeyP"), 80); // з
    EXPECT_EQ(code("\u0424", "KeyA"), 65); // Ф, with Shift
    EXPECT_EQ(code("\u0456", "KeyS"), 83); // Ukrainian і
    EXPECT_EQ(code("\u03c3", "KeyS"), 83); // Greek σ
    EXPECT_EQ(code("\u03c0", "KeyP"), 80); // π
    EXPECT_EQ(code("\u05e9", "KeyA"), 65); // Hebrew ש
    EXPECT_EQ(code("\u0634", "KeyA"), 65); // Arabic ش
    // Off the letter keys, or where the place is not known, such a letter means nothing.
    EXPECT_EQ(code("\u0436", "Semicolon"), 0); // ж
    EXPECT_EQ(code("\u0444", ""), 0);
    // Another script's punctuation is no letter.
    EXPECT_EQ(code("\u037e", "KeyQ"), 0); // Greek question mark
}

TEST(GameKeyCodeTest, KeysThatTypeNothingGoByTheirNameOrPlace)
{
    // The browser names them; Qt's text is empty or a control character.
    EXPECT_EQ(code("ArrowLeft", "ArrowLeft"), 37);
    EXPECT_EQ(code("ArrowUp", "ArrowUp"), 38);
    EXPECT_EQ(code("ArrowRight", "ArrowRight"), 39);
    EXPECT_EQ(code("ArrowDown", "ArrowDown"), 40);
    EXPECT_EQ(code("", "ArrowDown"), 40);
    EXPECT_EQ(code("ArrowLeft", "Numpad4"), 37); // the keypad's arrows, Num Lock off
    EXPECT_EQ(code("Enter", "Enter"), 13);
    EXPECT_EQ(code("Enter", "NumpadEnter"), 13);
    EXPECT_EQ(code("\r", "Enter"), 13);
    EXPECT_EQ(code("", "NumpadEnter"), 13);
    EXPECT_EQ(code("\t", "Tab"), 9);
    EXPECT_EQ(code("Shift", "ShiftLeft"), 16);
    EXPECT_EQ(code("F1", "F1"), 112);
    EXPECT_EQ(code("", "F24"), 135);
    EXPECT_EQ(code("F25", ""), 0);
    EXPECT_EQ(code("F01", ""), 0);
    // A dead key or an input method's key is none of the game's, whatever its place.
    EXPECT_EQ(code("Dead", "KeyA"), 0);
    EXPECT_EQ(code("Process", "KeyS"), 0);
    EXPECT_EQ(code("", "KeyA"), 0);
    EXPECT_EQ(code("", ""), 0);
}

TEST(GameKeyCodeTest, CtrlAltOrMetaAndBadTextMeanNothing)
{
    EXPECT_EQ(code("a", "KeyA", true), 0);
    EXPECT_EQ(code("ArrowDown", "ArrowDown", true), 0);
    EXPECT_EQ(code("\u0444", "KeyA", true), 0);
    // Broken UTF-8, overlong forms, surrogates, beyond Unicode, several symbols.
    EXPECT_EQ(code("\xc3", "KeyA"), 0);
    EXPECT_EQ(code("\xc1\x81", "KeyA"), 0);
    EXPECT_EQ(code("\xed\xa0\x80", "KeyA"), 0);
    EXPECT_EQ(code("\xf4\x90\x80\x80", "KeyA"), 0);
    EXPECT_EQ(code("\xff", "Enter"), 13);
    EXPECT_EQ(code("ab", "KeyA"), 0);
}

class KeyPressTest : public ::testing::Test, public EngineHarness {
protected:
    bool press(WindowId window, Key key, bool autoRepeat = false)
    {
        return pressCode(window, keyCode(key), autoRepeat);
    }

    // Every press is first asked of takesKey, which must foretell it: a front end that answers its
    // platform before the program sees the key decides by it.
    bool pressCode(WindowId window, int code, bool autoRepeat = false)
    {
        const bool takes = program.takesKey(window, code);
        const bool meant = program.keyPress(window, code, autoRepeat);
        EXPECT_EQ(takes, meant) << "key code " << code << " in window " << static_cast<int>(window);
        return meant;
    }

    // Hard, piece 4 falling; a block in row 2 ends the game at the first play tick.
    void endGame()
    {
        startPlay(3, 4, 1);
        queue({drawFor(1)});
        drawRows(2, {"...7......"});
        tickPlay();
        ASSERT_TRUE(c().Command1.Visible);
    }
};

TEST_F(KeyPressTest, EnterInTheDifficultyWindowPressesGoOncePerPress)
{
    program.scrollTo(2);
    // Arrows, Space and Tab are the window's controls' own.
    EXPECT_FALSE(pressCode(WindowId::Form2, keyCode(Key::Right), false));
    EXPECT_FALSE(press(WindowId::Form2, Key::Space));
    EXPECT_FALSE(pressCode(WindowId::Form2, 9, false));
    EXPECT_FALSE(pressCode(WindowId::Form2, 0, false));
    // A held Enter's repeats are Enter's, yet press nothing.
    EXPECT_TRUE(press(WindowId::Form2, Key::Enter, true));
    EXPECT_FALSE(f().loaded());
    EXPECT_TRUE(program.form2.Visible);
    // The game window is not there to take keys.
    EXPECT_FALSE(press(WindowId::Form1, Key::Left));

    EXPECT_TRUE(press(WindowId::Form2, Key::Enter));
    EXPECT_EQ(program.module1.difficulty, 2);
    EXPECT_FALSE(program.form2.Visible);
    EXPECT_TRUE(program.form1Shown());
    // Hidden now: Enter there does nothing.
    const std::string before = stateDump(program);
    EXPECT_FALSE(press(WindowId::Form2, Key::Enter));
    EXPECT_EQ(stateDump(program), before);
}

TEST_F(KeyPressTest, TheGameSeesEveryKeyAndEnterOrSpacePressTheFrontButtonOncePerPress)
{
    startPlay(3, 4, 1);
    tickPlay(2);
    // A held arrow moves on every repeat.
    const int across = f().across;
    EXPECT_TRUE(press(WindowId::Form1, Key::Left));
    EXPECT_TRUE(press(WindowId::Form1, Key::Left, true));
    EXPECT_EQ(f().across, across - 2);
    // No button shown: Enter and Space are the game's alone.
    EXPECT_TRUE(press(WindowId::Form1, Key::Enter));
    EXPECT_TRUE(press(WindowId::Form1, Key::Space));
    EXPECT_FALSE(c().Pause.Visible);
    EXPECT_FALSE(pressCode(WindowId::Form1, 0, false));
    // "Pause": a held Enter resumes nothing, a press does; Space as well.
    EXPECT_TRUE(press(WindowId::Form1, Key::P));
    EXPECT_TRUE(press(WindowId::Form1, Key::Enter, true));
    EXPECT_TRUE(press(WindowId::Form1, Key::Space, true));
    EXPECT_TRUE(c().Pause.Visible);
    EXPECT_TRUE(press(WindowId::Form1, Key::Enter));
    EXPECT_FALSE(c().Pause.Visible);
    press(WindowId::Form1, Key::P);
    EXPECT_TRUE(press(WindowId::Form1, Key::Space));
    EXPECT_FALSE(c().Pause.Visible);
}

TEST_F(KeyPressTest, AtGameOverThePauseInFrontGoesFirstThenTheRestart)
{
    endGame();
    press(WindowId::Form1, Key::P);
    ASSERT_TRUE(c().Pause.Visible);
    ASSERT_GT(c().Pause.z, c().Command1.z);
    press(WindowId::Form1, Key::Enter);
    EXPECT_FALSE(c().Pause.Visible);
    EXPECT_EQ(f().loadCount(), 1u);
    // A held Enter restarts nothing; a press does, and brings the difficulty window back.
    press(WindowId::Form1, Key::Enter, true);
    EXPECT_EQ(f().loadCount(), 1u);
    press(WindowId::Form1, Key::Space);
    EXPECT_EQ(f().loadCount(), 2u);
    EXPECT_TRUE(program.form2.Visible);
    // The rest of the held key reaches the difficulty window: no "GO!".
    press(WindowId::Form2, Key::Enter, true);
    EXPECT_TRUE(program.form2.Visible);
    EXPECT_EQ(program.module1.difficulty, 0);
}

TEST_F(KeyPressTest, AGamepadButtonIsTheKeyItStandsForAndStartPressesTheButtonInFrontOrPauses)
{
    // The difficulty window: the D-pad steps the choice, A or Start press "GO!" once per press.
    EXPECT_TRUE(program.padPress(WindowId::Form2, PadButton::Right, false));
    EXPECT_TRUE(program.padPress(WindowId::Form2, PadButton::Right, true));
    EXPECT_EQ(program.form2.controls.HScroll1.Value, 3);
    EXPECT_FALSE(program.padPress(WindowId::Form2, PadButton::Down, false));
    EXPECT_FALSE(program.padPress(WindowId::Form2, PadButton::B, false));
    EXPECT_TRUE(program.padPress(WindowId::Form2, PadButton::Start, true));
    EXPECT_TRUE(program.form2.Visible);
    EXPECT_TRUE(program.padPress(WindowId::Form2, PadButton::A, false));
    EXPECT_EQ(program.module1.difficulty, 3);

    // The game window: the D-pad and A are the keys they stand for, Start pauses while no button is
    // shown and then presses "Pause", once per press.
    startPlay(3, 4, 1);
    tickPlay(2);
    const int across = f().across;
    EXPECT_TRUE(program.padPress(WindowId::Form1, PadButton::Left, false));
    EXPECT_TRUE(program.padPress(WindowId::Form1, PadButton::Left, true));
    EXPECT_EQ(f().across, across - 2);
    EXPECT_TRUE(program.padPress(WindowId::Form1, PadButton::Start, false));
    EXPECT_TRUE(c().Pause.Visible);
    EXPECT_TRUE(program.padPress(WindowId::Form1, PadButton::Start, true));
    EXPECT_TRUE(c().Pause.Visible);
    EXPECT_TRUE(program.padPress(WindowId::Form1, PadButton::Start, false));
    EXPECT_FALSE(c().Pause.Visible);
    EXPECT_FALSE(program.padPress(WindowId::Form2, PadButton::A, false)); // hidden
}

TEST_F(KeyPressTest, AtGameOverAGamepadsStartPressesGameOver)
{
    endGame();
    EXPECT_TRUE(program.padPress(WindowId::Form1, PadButton::Start, false));
    EXPECT_EQ(f().loadCount(), 2u);
    EXPECT_TRUE(program.form2.Visible);
}

class ClosingTest : public ::testing::Test, public EngineHarness { };

TEST_F(ClosingTest, TheDifficultyWindowEndsTheProgramBeforeTheFirstGameAndNothingHappensAfterTheEnd)
{
    EXPECT_EQ(program.closeWindow(WindowId::Form1), CloseAction::Nothing); // not there yet
    EXPECT_FALSE(program.ended());
    EXPECT_EQ(program.closeWindow(WindowId::Form2), CloseAction::EndProgram);
    EXPECT_TRUE(program.ended());

    const std::string before = stateDump(program);
    program.scrollTo(3);
    EXPECT_FALSE(program.keyPress(WindowId::Form2, keyCode(Key::Enter), false));
    program.clickGo();
    EXPECT_EQ(program.closeWindow(WindowId::Form2), CloseAction::Nothing);
    EXPECT_EQ(stateDump(program), before);
    EXPECT_FALSE(f().loaded());
}

TEST_F(ClosingTest, LaterTheDifficultyWindowHidesAndTheGameWindowEndsTheProgram)
{
    startPlay(3, 4, 1);
    // Hidden during the game: closing it does nothing.
    EXPECT_EQ(program.closeWindow(WindowId::Form2), CloseAction::Nothing);
    queue({drawFor(1)});
    drawRows(2, {"...7......"});
    tickPlay();
    program.clickGameOver();
    ASSERT_TRUE(program.form2.Visible);

    EXPECT_EQ(program.closeWindow(WindowId::Form2), CloseAction::HideWindow);
    EXPECT_FALSE(program.form2.Visible);
    EXPECT_FALSE(program.ended());
    // The next game goes on without a choice.
    queue({drawFor(2), drawFor(3)});
    EXPECT_GT(runParade(), 0);

    EXPECT_EQ(program.closeWindow(WindowId::Form1), CloseAction::EndProgram);
    EXPECT_TRUE(program.ended());
    const std::string before = stateDump(program);
    for (TimerId timer : {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3})
        program.tick(timer);
    program.keyDown(keyCode(Key::Down));
    EXPECT_FALSE(program.keyPress(WindowId::Form1, keyCode(Key::P), false));
    program.clickPause();
    program.clickGameOver();
    EXPECT_EQ(program.closeWindow(WindowId::Form1), CloseAction::Nothing);
    EXPECT_EQ(stateDump(program), before);
}

} // namespace
} // namespace blokko::test
