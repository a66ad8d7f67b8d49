#include "bench/gui_support.h"

#include <algorithm>
#include <random>
#include <string>

#include "desktop/game_window.h"
#include "engine/rules/random.h"
#include "tests/support/engine_harness.h"

namespace blokko::bench {

namespace {

constexpr int WellRows = 20;
constexpr int WellColumns = 10;
constexpr int SeedSeconds = 43210;

int columnHeight(const Form1Controls& c, int column)
{
    for (int row = 1; row <= WellRows; ++row)
        if (test::wellCell(c, row, column).Visible)
            return WellRows + 1 - row;
    return 0;
}

} // namespace

std::unique_ptr<test::DesktopSession> sameGameEveryRun()
{
    return std::make_unique<test::DesktopSession>(std::make_unique<TimeSeededRandom>([] { return SeedSeconds; }));
}

int pileHeight(const Form1Controls& c)
{
    for (int row = 1; row <= WellRows; ++row)
        for (int column = 1; column <= WellColumns; ++column)
            if (test::wellCell(c, row, column).Visible)
                return WellRows + 1 - row;
    return 0;
}

int fixedCells(const Form1Controls& c)
{
    int count = 0;
    for (int row = 1; row <= WellRows; ++row)
        for (int column = 1; column <= WellColumns; ++column)
            count += test::wellCell(c, row, column).Visible ? 1 : 0;
    return count;
}

bool gameOver(const view::DesktopApp& app)
{
    return app.program().form1.loaded() && app.program().form1.controls().Command1.Visible;
}

bool fillWell(view::DesktopApp& app, int cells)
{
    std::mt19937 choices(7);
    const Form1& form1 = app.program().form1;
    for (int piece = 0; piece < 1000; ++piece) {
        const std::string fixedBefore = form1.blocks;
        // Above the well the top wall refuses every move: first let the piece fall in.
        for (int tick = 0; tick < 100 && form1.down < 0 && form1.blocks == fixedBefore; ++tick)
            app.tick(TimerId::Timer1);
        if (form1.blocks != fixedBefore)
            continue;
        for (auto turns = choices() % 4; turns > 0; --turns)
            test::pressKey(app.gameWindow(), Qt::Key_A);
        app.tick(TimerId::Timer1); // draws the piece turned, so its columns can be read
        const Form1Controls& c = form1.controls();
        int firstColumn = 5;
        int lastColumn = 0;
        for (int k = 1; k <= 16; ++k) {
            if (c.Shape1[static_cast<std::size_t>(k)].Visible) {
                firstColumn = std::min(firstColumn, (k - 1) % 4 + 1);
                lastColumn = std::max(lastColumn, (k - 1) % 4 + 1);
            }
        }
        // The place where the piece's columns are lowest, so the pile grows flat.
        const int width = std::max(1, lastColumn - firstColumn + 1);
        int bestLeft = 1;
        int bestHeight = WellRows + 1;
        for (int left = 1; left + width - 1 <= WellColumns; ++left) {
            int height = 0;
            for (int column = left; column < left + width; ++column)
                height = std::max(height, columnHeight(c, column));
            if (height < bestHeight) {
                bestHeight = height;
                bestLeft = left;
            }
        }
        const int shift = bestLeft - (form1.across + firstColumn);
        for (int i = 0; i < (shift < 0 ? -shift : shift); ++i)
            test::pressKey(app.gameWindow(), shift < 0 ? Qt::Key_Left : Qt::Key_Right);
        for (int tick = 0; tick < 2000 && form1.blocks == fixedBefore; ++tick)
            app.tick(TimerId::Timer1);
        if (gameOver(app))
            return false;
        if (fixedCells(form1.controls()) >= cells)
            return true;
    }
    return false;
}

} // namespace blokko::bench
