// The black curtain that covers the game window at each load and slides apart, 250 twips a tick.

#include "engine/rules/form1.h"

namespace blokko {

namespace {
constexpr float CurtainStep = 250;
constexpr int ParadeInterval = 2;
} // namespace

void Form1::cover()
{
    auto& c = controls();
    c.Timer2.Interval = ParadeInterval;
    c.edit(c.covertop);
    c.edit(c.coverbottom);

    c.covertop.Left = 0;
    c.covertop.Width = c.Width;
    c.covertop.Height = c.Height;
    c.covertop.Top = -c.Height / 2.0f;
    c.covertop.Visible = true;

    c.coverbottom.Left = 0;
    c.coverbottom.Width = c.Width;
    c.coverbottom.Height = c.Height;
    c.coverbottom.Top = c.Height / 2.0f;
    c.coverbottom.Visible = true;

    c.bringWindowedToFront(c.covertop);
    c.bringWindowedToFront(c.coverbottom);

    c.edit(c.cot);
    c.edit(c.cob);
    c.cot.Height = c.covertop.Height;
    c.cot.Width = c.covertop.Width;
    c.cob.Height = c.coverbottom.Height;
    c.cob.Width = c.coverbottom.Width;
}

void Form1::Timer3_Timer()
{
    auto& c = controls();
    c.edit(c.covertop).Top = c.covertop.Top - CurtainStep;
    c.edit(c.coverbottom).Top = c.coverbottom.Top + CurtainStep;
    if (c.coverbottom.Top > c.Height)
        c.Timer3.Interval = 0; // open for the rest of this load
}

} // namespace blokko
