#include "engine/program/program.h"

#include <algorithm>

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
    if (form2.Visible)
        form2.Command1_Click();
}

void Program::clickPause()
{
    if (form1.loaded() && form1.controls().Pause.Visible)
        form1.Pause_Click();
}

void Program::clickGameOver()
{
    if (form1.loaded() && form1.controls().Command1.Visible)
        form1.Command1_Click();
}

void Program::scrollTo(int value)
{
    HScrollBar& bar = form2.controls.HScroll1;
    form2.controls.edit(bar).Value = std::clamp(value, bar.Min, bar.Max);
}

void Program::keyDown(int keyCode)
{
    if (form1Shown())
        form1.Form_KeyDown(keyCode, 0);
}

void Program::tick(TimerId timer)
{
    if (!form1.loaded() || !form1.controls().timer(timer).ticking())
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
