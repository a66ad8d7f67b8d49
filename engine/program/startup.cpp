// Loading the game window, the piece parade before play, the start of play, pause and restart.

#include "engine/rules/form1.h"
#include "engine/rules/random.h"

namespace blokko {

namespace {
constexpr int PlayInterval = 50;
constexpr int RestartParadeInterval = 1;
} // namespace

void Form1::load()
{
    controls_.emplace();
    ++loadCount_;
    Form_Load();
}

void Form1::unload()
{
    controls_.reset();
}

void Form1::Form_Load()
{
    auto& c = controls();
    const int difficulty = host_.difficulty();
    if (difficulty == 0) {
        // Loaded by a restart: ask for a difficulty again while the next game already runs.
        host_.hideForm1();
        host_.showForm2();
    }
    c.Timer2.Enabled = false;
    c.edit(c.Level);
    if (difficulty < 4)
        c.Level.Visible = false;
    if (difficulty == 4)
        c.Level.Visible = true;
    sizing();
    level = 0;
    loadshapes();
    c.Timer2.Enabled = true;
    rows = LooseValue::text("000");
    blocks = "0000";
    score = LooseValue::text("000000");
    c.edit(c.scorelabel).Caption = "Score:000000";
    c.edit(c.hscorelabel).Caption = "HiScore:" + hiscore.joined();
    if (hiscore.numeric() == 0)
        c.hscorelabel.Caption = "HiScore:000000";
    host_.random().seedFromTimeOfDay();
    border();
    fillPatterns();
    setup();
    nextdisplay();
    cover();
}

// One step of the parade: each standard piece shown at its four turns in the middle of the well.
void Form1::Timer2_Timer()
{
    turn = turn + 1;
    if (turn > 4) {
        turn = 1;
        piece = piece + 1;
    }
    down = 8;
    across = 3;
    if (piece < 8)
        drop();
    if (piece >= 8)
        begin();
}

void Form1::begin()
{
    auto& c = controls();
    c.Timer2.Interval = 0;
    c.Timer1.Interval = PlayInterval;
    nextpiece = static_cast<float>(Int(host_.random().next() * 7.0f) + 1);
    change();
}

// Resumes whatever was running when P was pressed: a timer with interval 0 stays silent.
void Form1::Pause_Click()
{
    auto& c = controls();
    c.edit(c.Pause).Visible = false;
    c.Timer1.Enabled = true;
    c.Timer2.Enabled = true;
    c.Timer3.Enabled = true;
}

// "Game Over": a new game in a freshly built window; the variables, the best score among them, stay.
void Form1::Command1_Click()
{
    host_.setDifficulty(0);
    host_.unloadForm1();
    host_.showForm1();
    controls().Timer2.Interval = RestartParadeInterval;
}

} // namespace blokko
