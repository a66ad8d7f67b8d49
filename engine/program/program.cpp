#include "engine/program/program.h"

#include <algorithm>

#include "engine/rules/keys.h"

namespace blokko {

Program::Program(RandomSource& random) : form1(*this), form2(*this), random_(random)
{
    form2.Visible = true;
}

void Program::showForm1()
{
    if (!form1.loaded())
        form1.load();
    form1.controls().Visible = true;
}

void Program::hideForm1()
{
    if (!form1.loaded())
        form1.load();
    form1.controls().Visible = false;
}

void Program::unloadForm1()
{
    form1.unload();
}

void Program::clickGo()
{
    if (ended_)
        return;
    if (form2.Visible)
        form2.Command1_Click();
}

void Program::clickPause()
{
    if (ended_)
        return;
    if (form1.loaded() && form1.controls().Pause.Visible)
        form1.Pause_Click();
}

void Program::clickGameOver()
{
    if (ended_)
        return;
    if (form1.loaded() && form1.controls().Command1.Visible)
        form1.Command1_Click();
}

void Program::scrollTo(int value)
{
    if (ended_)
        return;
    HScrollBar& bar = form2.controls.HScroll1;
    form2.controls.edit(bar).Value = std::clamp(value, bar.Min, bar.Max);
}

void Program::keyDown(int keyCode)
{
    if (!ended_ && form1Shown())
        form1.Form_KeyDown(keyCode, 0);
}

bool Program::takesKey(WindowId window, int keyCode) const
{
    if (ended_ || keyCode == 0)
        return false;
    if (window == WindowId::Form2)
        return form2.Visible && keyCode == blokko::keyCode(Key::Enter);
    return form1Shown();
}

bool Program::keyPress(WindowId window, int keyCode, bool autoRepeat)
{
    if (!takesKey(window, keyCode))
        return false;
    const bool pressesButton = !autoRepeat;
    if (window == WindowId::Form2) {
        if (pressesButton)
            clickGo();
        return true;
    }
    form1.Form_KeyDown(keyCode, 0);
    if (pressesButton && (keyCode == blokko::keyCode(Key::Enter) || keyCode == blokko::keyCode(Key::Space)))
        pressFrontButton();
    return true;
}

bool Program::padPress(WindowId window, PadButton button, bool autoRepeat)
{
    if (ended_)
        return false;
    const auto press = [&](Key key) { return keyPress(window, keyCode(key), autoRepeat); };
    if (window == WindowId::Form2) {
        if (!form2.Visible)
            return false;
        const HScrollBar& bar = form2.controls.HScroll1;
        switch (button) {
        case PadButton::Left:
            scrollTo(bar.Value - bar.SmallChange);
            return true;
        case PadButton::Right:
            scrollTo(bar.Value + bar.SmallChange);
            return true;
        case PadButton::A:
        case PadButton::Start:
            return press(Key::Enter);
        default:
            return false;
        }
    }
    if (!form1Shown())
        return false;
    switch (button) {
    case PadButton::Left:
        return press(Key::Left);
    case PadButton::Right:
        return press(Key::Right);
    case PadButton::Down:
        return press(Key::Down);
    case PadButton::A:
        return press(Key::A);
    case PadButton::B:
        return press(Key::S);
    case PadButton::Start: {
        const Form1Controls& c = form1.controls();
        return press(c.Pause.Visible || c.Command1.Visible ? Key::Enter : Key::P);
    }
    }
    return false;
}

// The button drawn last is the one in front.
void Program::pressFrontButton()
{
    if (!form1Shown())
        return;
    const Form1Controls& c = form1.controls();
    if (c.Pause.Visible && (!c.Command1.Visible || c.Pause.z > c.Command1.z))
        clickPause();
    else
        clickGameOver();
}

CloseAction Program::closeWindow(WindowId window)
{
    if (ended_)
        return CloseAction::Nothing;
    if (window == WindowId::Form1) {
        if (!form1Shown())
            return CloseAction::Nothing;
        ended_ = true;
        return CloseAction::EndProgram;
    }
    if (!form2.Visible)
        return CloseAction::Nothing;
    if (form1.loadCount() == 0) {
        ended_ = true;
        return CloseAction::EndProgram;
    }
    hideForm2();
    return CloseAction::HideWindow;
}

void Program::tick(TimerId timer)
{
    if (ended_ || !form1.loaded() || !form1.controls().timer(timer).ticking())
        return;
    switch (timer) {
    case TimerId::Timer1:
        form1.Timer1_Timer();
        break;
    case TimerId::Timer2:
        form1.Timer2_Timer();
        break;
    case TimerId::Timer3:
        form1.Timer3_Timer();
        break;
    }
}

} // namespace blokko
