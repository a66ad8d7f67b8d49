#include "tests/support/invariants.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string_view>

namespace blokko::checks {

namespace {

// The sixteen shapes as the player knows them, written here apart from the engine on purpose so a wrong
// shape there shows: rows 1 to 4 of the box, "1" a filled square. Piece 0
// (no piece yet) has none.
constexpr const char* Shapes[17][4] = {
    {"0000", "0000", "0000", "0000"}, // 0
    {"0000", "0000", "0010", "1110"}, // 1
    {"0000", "0000", "0100", "0111"}, // 2
    {"0000", "0000", "0000", "1111"}, // 3
    {"0000", "0000", "0100", "1110"}, // 4
    {"0000", "0110", "0110", "0000"}, // 5
    {"0000", "0000", "1100", "0110"}, // 6
    {"0000", "0000", "0011", "0110"}, // 7
    {"0000", "1110", "1110", "0000"}, // 8
    {"0000", "1110", "0010", "0010"}, // 9
    {"0000", "1110", "0110", "0010"}, // 10
    {"0000", "0110", "1111", "0000"}, // 11
    {"0000", "1110", "1010", "0000"}, // 12
    {"0000", "0011", "0110", "1100"}, // 13
    {"0000", "1100", "0110", "0011"}, // 14
    {"0000", "1110", "1010", "1010"}, // 15
    {"0000", "0100", "1110", "0100"}, // 16
};

constexpr int PlayInterval = 50;
constexpr int CurtainInterval = 200;

bool isDigits(std::string_view text, std::size_t width)
{
    if (text.size() != width)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool isWall(int wellRow, int wellColumn)
{
    return wellRow == 0 || wellRow == WellRows - 1 || wellColumn == 0 || wellColumn == WellColumns - 1;
}

std::string quoted(std::string_view text)
{
    std::string result(1, '"');
    result.append(text);
    result.push_back('"');
    return result;
}

std::string number(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

} // namespace

float RecordingRandom::next()
{
    const float value = source_.next();
    drawn_.push_back(value);
    return value;
}

std::vector<float> RecordingRandom::takeDrawn()
{
    std::vector<float> drawn;
    drawn.swap(drawn_);
    return drawn;
}

namespace {

// For each piece and turn, the filled box cells as bits (bit 4 * (row - 1) + col - 1). A square of the
// stored pattern at (pr, pc) shows at (pr, pc) at turn 1, and a quarter turn clockwise further at each
// step: (pc, 5 - pr), then (5 - pr, 5 - pc), then (5 - pc, pr).
using BoxMasks = std::array<std::array<std::uint16_t, 5>, 17>;

BoxMasks turnedShapes()
{
    BoxMasks masks{};
    for (int piece = 0; piece <= 16; ++piece) {
        for (int turn = 1; turn <= 4; ++turn) {
            for (int pr = 1; pr <= 4; ++pr) {
                for (int pc = 1; pc <= 4; ++pc) {
                    if (Shapes[piece][pr - 1][pc - 1] != '1')
                        continue;
                    int r = pr;
                    int c = pc;
                    if (turn == 2) {
                        r = pc;
                        c = 5 - pr;
                    } else if (turn == 3) {
                        r = 5 - pr;
                        c = 5 - pc;
                    } else if (turn == 4) {
                        r = 5 - pc;
                        c = pr;
                    }
                    masks[static_cast<std::size_t>(piece)][static_cast<std::size_t>(turn)] |=
                        static_cast<std::uint16_t>(1u << (4 * (r - 1) + c - 1));
                }
            }
        }
    }
    return masks;
}

const BoxMasks Turned = turnedShapes();

} // namespace

bool boxCellFilled(int piece, int turn, int row, int col)
{
    if (piece < 0 || piece > 16 || turn < 1 || turn > 4 || row < 1 || row > 4 || col < 1 || col > 4)
        return false;
    return (Turned[static_cast<std::size_t>(piece)][static_cast<std::size_t>(turn)] >> (4 * (row - 1) + col - 1)) & 1u;
}

CheckedProgram::CheckedProgram(RandomSource& random) : random_(random), program_(random_)
{
    checkState();
}

bool CheckedProgram::gameOver() const
{
    const Form1& f = program_.form1;
    return f.loaded() && f.controls().Command1.Visible && f.controls().Timer1.Interval == 0;
}

void CheckedProgram::scrollTo(int value)
{
    const Before before = snapshot(false);
    program_.scrollTo(value);
    after("scroll " + std::to_string(value), before);
}

void CheckedProgram::clickGo()
{
    const Before before = snapshot(false);
    program_.clickGo();
    after("click GO", before);
}

void CheckedProgram::clickPause()
{
    const Before before = snapshot(false);
    program_.clickPause();
    after("click Pause", before);
}

void CheckedProgram::clickGameOver()
{
    const Before before = snapshot(false);
    program_.clickGameOver();
    after("click GameOver", before);
}

void CheckedProgram::keyDown(int keyCode)
{
    const Before before = snapshot(false);
    program_.keyDown(keyCode);
    after("key " + std::to_string(keyCode), before);
}

void CheckedProgram::tick(TimerId timer)
{
    const Form1& f = program_.form1;
    const bool playTick = timer == TimerId::Timer1 && f.loaded() && f.controls().Timer1.ticking();
    const Before before = snapshot(playTick);
    program_.tick(timer);
    switch (timer) {
    case TimerId::Timer1:
        after("tick Timer1", before);
        break;
    case TimerId::Timer2:
        after("tick Timer2", before);
        break;
    case TimerId::Timer3:
        after("tick Timer3", before);
        break;
    }
}

CheckedProgram::Before CheckedProgram::snapshot(bool playTick) const
{
    const Form1& f = program_.form1;
    Before before;
    before.loaded = f.loaded();
    if (!before.loaded)
        return before;
    before.loadCount = f.loadCount();
    before.playTick = playTick;
    before.piece = f.piece;
    before.nextpiece = f.nextpiece;
    before.turn = f.turn;
    before.across = f.across;
    before.down = f.down;
    before.speed = f.speed;
    before.blocks = numericValue(f.blocks);
    before.rows = f.rows.numeric();
    before.gameOver = gameOver();
    for (int n = 1; n <= WellCells; ++n)
        before.well[static_cast<std::size_t>(n)] = f.controls().Shape2[static_cast<std::size_t>(n)].Visible;
    return before;
}

void CheckedProgram::after(const std::string& event, const Before& before)
{
    ++totals_.events;
    event_ = event;
    const std::vector<float> drawn = random_.takeDrawn();
    if (script_) {
        if (!drawn.empty()) {
            *script_ << "rand";
            for (float value : drawn)
                *script_ << ' ' << number(static_cast<double>(value));
            *script_ << '\n';
        }
        *script_ << event << '\n';
    }
    checkState();
    checkScene();
    const Form1& f = program_.form1;
    if (before.playTick) {
        ++totals_.playTicks;
        checkPlayTick(before);
    } else if (before.loaded && f.loaded() && f.loadCount() == before.loadCount) {
        checkWellUnchanged(before);
    }
}

// The scene kept change by change shows what the engine has: a write without its stamp shows here. A
// build with BLOKKO_CHECK_SCENE checks this inside update() already.
void CheckedProgram::checkScene()
{
    scene_.update();
#ifndef BLOKKO_CHECK_SCENE
    const std::string difference = scene_.differenceFromFresh();
    if (!difference.empty())
        fail("the scene lost a change: " + difference);
#endif
}

void CheckedProgram::checkState()
{
    const Program& p = program_;
    const Form1& f = p.form1;
    const int difficulty = p.module1.difficulty;

    if (difficulty < 0 || difficulty > 4)
        fail("difficulty " + std::to_string(difficulty) + " is outside 0 to 4");
    if (p.form2.Visible != (difficulty == 0))
        fail("the difficulty window is shown exactly while no difficulty is chosen; difficulty " +
            std::to_string(difficulty) + ", window shown " + std::to_string(p.form2.Visible));
    if (f.hiscore.numeric() < highestHiscore_)
        fail("the best score fell from " + number(highestHiscore_) + " to " + number(f.hiscore.numeric()));
    highestHiscore_ = f.hiscore.numeric();
    if (!f.hiscore.isEmpty() && (f.hiscore.isNumber() || !isDigits(f.hiscore.joined(), 6)))
        fail("the best score is not six digits: " + quoted(f.hiscore.joined()));

    if (!f.loaded()) {
        if (difficulty != 0)
            fail("a difficulty is chosen but the game window is not loaded");
        return;
    }
    const Form1Controls& c = f.controls();
    if (f.loadCount() != knownLoad_) {
        knownLoad_ = f.loadCount();
        playBegan_ = false;
        ++totals_.loads;
    }
    if (c.Timer1.Interval == PlayInterval)
        playBegan_ = true;
    if (!c.Visible)
        fail("the game window is loaded but not shown after the event");

    for (int wellRow = 0; wellRow < WellRows; ++wellRow)
        for (int wellColumn = 0; wellColumn < WellColumns; ++wellColumn)
            if (isWall(wellRow, wellColumn) &&
                !c.Shape2[static_cast<std::size_t>(12 * wellRow + wellColumn + 1)].Visible)
                fail("wall cell of row " + std::to_string(wellRow) + ", column " + std::to_string(wellColumn) +
                    " is hidden");

    // Timers: only the designed intervals and the ones the game sets.
    if (c.Timer1.Interval != 0 && c.Timer1.Interval != PlayInterval)
        fail("Timer1 interval " + std::to_string(c.Timer1.Interval));
    if (c.Timer2.Interval < 0 || c.Timer2.Interval > 2)
        fail("Timer2 interval " + std::to_string(c.Timer2.Interval));
    if (c.Timer3.Interval != 0 && c.Timer3.Interval != CurtainInterval)
        fail("Timer3 interval " + std::to_string(c.Timer3.Interval));
    // Paused exactly while the "Pause" button is shown: P disables all three, the button enables them.
    if (c.Timer1.Enabled == c.Pause.Visible || c.Timer2.Enabled == c.Pause.Visible ||
        c.Timer3.Enabled == c.Pause.Visible)
        fail("the timers' enabled flags do not match the Pause button");

    // Game over.
    if (c.Command1.Visible && c.Timer1.Interval != 0)
        fail("\"Game Over\" is shown while the play tick still runs");
    if (playBegan_ && c.Timer1.Interval == 0 && !c.Command1.Visible)
        fail("the play tick stopped after play began but \"Game Over\" is not shown");
    if (c.Command1.Visible &&
        (c.Command1.Left != c.ScaleWidth() / 2.0f - c.Command1.Width / 2.0f ||
            c.Command1.Top != c.ScaleHeight() / 2.0f - c.Command1.Height / 2.0f))
        fail("\"Game Over\" is not centred in the window");

    // Counters and their labels.
    const std::string& scoreCaption = c.scorelabel.Caption;
    if (scoreCaption.rfind("Score:", 0) != 0 || !isDigits(std::string_view(scoreCaption).substr(6), 6))
        fail("score label " + quoted(scoreCaption));
    if (f.score.isEmpty())
        fail("the score is empty in a loaded window");
    if (f.score.isNumber()) {
        // Only the hurry bonus leaves a number; the label shows the value before the bonus.
        const double value = f.score.numeric();
        const double shown = numericValue(std::string_view(scoreCaption).substr(6));
        const double bonus = value - shown;
        if (value != std::floor(value) || bonus <= 0 || bonus > 10 || std::fmod(bonus, 5) != 0)
            fail("score " + number(value) + " after the hurry bonus, label " + quoted(scoreCaption));
    } else {
        if (!isDigits(f.score.joined(), 6))
            fail("score " + quoted(f.score.joined()) + " is not six digits");
        if (scoreCaption != "Score:" + f.score.joined())
            fail("score " + quoted(f.score.joined()) + " but label " + quoted(scoreCaption));
        if (f.hiscore.numeric() < f.score.numeric())
            fail("best score " + quoted(f.hiscore.joined()) + " below score " + quoted(f.score.joined()));
    }
    const std::string bestCaption = "HiScore:" + (f.hiscore.isEmpty() ? std::string("000000") : f.hiscore.joined());
    if (c.hscorelabel.Caption != bestCaption)
        fail("best score label " + quoted(c.hscorelabel.Caption) + ", expected " + quoted(bestCaption));
    if (f.rows.isNumber() || !isDigits(f.rows.joined(), 3))
        fail("rows counter " + quoted(f.rows.joined()) + " is not three digits");
    if (c.rowslabel.Caption != "Rows:" + f.rows.joined())
        fail("rows label " + quoted(c.rowslabel.Caption) + " for counter " + quoted(f.rows.joined()));
    if (!isDigits(f.blocks, 4))
        fail("blocks counter " + quoted(f.blocks) + " is not four digits");
    if (c.piecelabel.Caption != "Blocks:" + f.blocks)
        fail("blocks label " + quoted(c.piecelabel.Caption) + " for counter " + quoted(f.blocks));
    if (f.level < 0 || f.level > 9)
        fail("level " + std::to_string(f.level));
    if (c.Level.Caption != "Level " + std::to_string(f.level))
        fail("level label " + quoted(c.Level.Caption) + " for level " + std::to_string(f.level));

    // The piece.
    if (f.piece < 0 || f.piece > 16)
        fail("piece " + std::to_string(f.piece));
    if (playBegan_) {
        if (f.piece < 1 || f.turn < 1 || f.turn > 4)
            fail("in play with piece " + std::to_string(f.piece) + " at turn " + std::to_string(f.turn));
        if (f.nextpiece != std::floor(f.nextpiece) || f.nextpiece < 1 || f.nextpiece > 16)
            fail("next piece " + number(f.nextpiece));
    }
}

// Only a play tick (which fixes pieces and removes rows) and a load change the well.
void CheckedProgram::checkWellUnchanged(const Before& before)
{
    const Form1Controls& c = program_.form1.controls();
    for (int n = 1; n <= WellCells; ++n)
        if (c.Shape2[static_cast<std::size_t>(n)].Visible != before.well[static_cast<std::size_t>(n)])
            fail("well cell " + std::to_string(n) + " changed without a play tick");
}

// The landing rule worked out from the state before the tick: each filled cell tests the well cell
// below its whole row, and a cell in or above the top wall row tests well row 2, column 1 instead.
bool CheckedProgram::wouldLand(const Before& before) const
{
    const float down = before.down + before.speed;
    bool lands = false;
    for (int r = 1; r <= 4; ++r) {
        for (int col = 1; col <= 4; ++col) {
            if (!boxCellFilled(before.piece, before.turn, r, col))
                continue;
            const float a = static_cast<float>(r) + down;
            int n = 12 * static_cast<int>(std::floor(a)) + col + before.across + 1;
            if (n < 14)
                n = 14;
            const int below = n + 12;
            if (below > WellCells || before.well[static_cast<std::size_t>(below)])
                lands = true;
        }
    }
    return lands;
}

void CheckedProgram::checkPlayTick(const Before& before)
{
    const Form1& f = program_.form1;
    const Form1Controls& c = f.controls();
    const bool lands = wouldLand(before);
    if (f.landed != lands)
        fail(std::string("the piece ") + (lands ? "should have landed" : "landed on nothing"));

    if (!lands) {
        const float down = before.down + before.speed;
        if (f.piece != before.piece || f.turn != before.turn || f.across != before.across || f.down != down)
            fail("a play tick without landing moved the piece other than down by its speed");
        int k = 0;
        for (int r = 1; r <= 4; ++r) {
            for (int col = 1; col <= 4; ++col) {
                const Cell& boxCell = c.Shape1[static_cast<std::size_t>(++k)];
                const bool filled = boxCellFilled(f.piece, f.turn, r, col);
                if (boxCell.Visible != filled)
                    fail("box cell " + std::to_string(k) + (filled ? " is hidden" : " is shown") + " for piece " +
                        std::to_string(f.piece) + " at turn " + std::to_string(f.turn));
                if (!filled)
                    continue;
                const float top = f.cell * (static_cast<float>(r) + down) + 50.0f;
                const float left = f.cell * static_cast<float>(col + f.across) + 50.0f;
                if (boxCell.Top != top || boxCell.Left != left)
                    fail("box cell " + std::to_string(k) + " drawn at " + number(boxCell.Left) + "," +
                        number(boxCell.Top) + " instead of " + number(left) + "," + number(top));
                const int wellColumn = col + f.across;
                if (wellColumn < 1 || wellColumn > 10)
                    fail("piece cell in well column " + std::to_string(wellColumn));
            }
        }
        return;
    }

    // Landed: the piece is fixed and counted, and the next one waits at the start position.
    ++totals_.pieces;
    const double blocks = numericValue(f.blocks);
    if (blocks != std::fmod(before.blocks + 1, 10000))
        fail("blocks counter went from " + number(before.blocks) + " to " + number(blocks) + " at a landing");
    totals_.rows += static_cast<std::uint64_t>(std::fmod(f.rows.numeric() - before.rows + 1000, 1000));
    if (f.piece != static_cast<int>(before.nextpiece) || f.across != 3 || f.down != -4.0f || f.turn != 1)
        fail("the new piece is not the waiting one at its start position");
    for (int k = 1; k <= BoxCells; ++k)
        if (c.Shape1[static_cast<std::size_t>(k)].Visible)
            fail("box cell " + std::to_string(k) + " is shown before the new piece's first tick");
    // The game ends exactly when a fixed cell lies in the top wall row or above it.
    const float down = before.down + before.speed;
    bool ends = false;
    for (int r = 0; r <= 3; ++r)
        for (int col = 0; col <= 3; ++col)
            if (boxCellFilled(before.piece, before.turn, r + 1, col + 1) &&
                12 * static_cast<int>(std::floor(down + 1.0f)) + before.across + 2 + 12 * r + col < 12)
                ends = true;
    if (gameOver() != ends)
        fail(std::string("a landing ") + (ends ? "in the top wall row did not end" : "below the top row ended") +
            " the game");
    if (ends)
        ++totals_.gamesOver;
}

void CheckedProgram::fail(const std::string& what) const
{
    std::fprintf(stderr, "blokko invariant violated after event %llu (%s): %s\n",
        static_cast<unsigned long long>(totals_.events), event_.c_str(), what.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace blokko::checks
