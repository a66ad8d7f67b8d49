// Keys held down (auto-repeat) on the game window and on every widget of it that might have the focus,
// through the curtain, the parade, pause, play, game over and the restart: every repeat reaches the
// game once, keys for a retired window or for the difficulty window reach it not at all, and the
// rules act on them (P stops all three timers and shows "Pause", Left and Right go to the walls).

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "desktop/difficulty_window.h"
#include "desktop/game_window.h"
#include "tests/stress/rig.h"
#include "tests/support/invariants.h"

namespace blokko::stress {

namespace {

// Keys the game acts on and keys it must pass over. A and S are held sparingly: held for long they
// turn the parade's counter back and the parade would never end. Enter and Space press buttons (the
// keyboard suite's), which would cut the stages short.
constexpr int MovingKeys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Down, Qt::Key_Up, Qt::Key_Tab, Qt::Key_Escape,
    Qt::Key_Right, Qt::Key_Left, Qt::Key_Home, Qt::Key_Z};

int movingKey(int step)
{
    return MovingKeys[static_cast<std::size_t>(step) % std::size(MovingKeys)];
}

// The well columns the falling piece's filled box cells stand in, leftmost and rightmost.
std::pair<int, int> pieceColumns(const Form1& f)
{
    int left = 99;
    int right = -99;
    for (int row = 1; row <= 4; ++row)
        for (int col = 1; col <= 4; ++col)
            if (checks::boxCellFilled(f.piece, f.turn, row, col)) {
                left = std::min(left, f.across + col);
                right = std::max(right, f.across + col);
            }
    return {left, right};
}

bool engineTimersAllDisabled(const Form1Controls& c)
{
    return !c.Timer1.Enabled && !c.Timer2.Enabled && !c.Timer3.Enabled;
}

bool anyQTimerRunning(view::DesktopApp& app)
{
    return app.timer(TimerId::Timer1).isActive() || app.timer(TimerId::Timer2).isActive() ||
        app.timer(TimerId::Timer3).isActive();
}

} // namespace

class HeldKeysTest : public QObject {
    Q_OBJECT

private:
    // Holds P on `target`: the game is paused whatever ran, and stays paused under more keys.
    static void pauseWithHeldP(Rig& rig, QWidget* target)
    {
        rig.holdKey(target, Qt::Key_P, 12, Delivery::ReachesGame);
        CHECK_RIG(rig);
        QVERIFY(rig.controls().Pause.Visible);
        QVERIFY(engineTimersAllDisabled(rig.controls()));
        QVERIFY(!anyQTimerRunning(rig.app()));
        QVERIFY(rig.app().gameWindow()->pauseButton()->isVisible());
        // Nothing ticks while paused; the moving keys still act, as the rules have no pause test.
        for (int step = 0; step < 20; ++step) {
            for (TimerId id : {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3})
                QVERIFY(!rig.tick(id));
            rig.holdKey(target, movingKey(step), 3, Delivery::ReachesGame);
            CHECK_RIG(rig);
        }
        QVERIFY(engineTimersAllDisabled(rig.controls()));
    }

    // One step of a held-key storm: a key held on one of the game window's widgets, then a tick of
    // every running timer.
    static void stormStep(Rig& rig, int step)
    {
        const QList<QWidget*> targets = test::keyTargets(rig.app().gameWindow());
        QWidget* target = targets[step % targets.size()];
        int key = movingKey(step);
        if (step % 13 == 5)
            key = Qt::Key_A;
        if (step % 17 == 9)
            key = Qt::Key_S;
        rig.holdKey(target, key, 2 + step % 6, Delivery::ReachesGame);
        CHECK_RIG(rig);
        for (TimerId id : {TimerId::Timer3, TimerId::Timer2, TimerId::Timer1}) {
            rig.tick(id);
            CHECK_RIG(rig);
        }
    }

    // From a fresh load: the curtain and the parade under held keys, with a pause in the middle.
    static void curtainAndParadeUnderHeldKeys(Rig& rig)
    {
        const std::uint64_t load = rig.form1().loadCount();
        int step = 0;
        for (; step < 6 && !rig.app().timer(TimerId::Timer1).isActive(); ++step) {
            stormStep(rig, step);
            if (QTest::currentTestFailed())
                return;
        }
        // Paused while the curtain is still moving (it needs 14 ticks, 6 have run): the parade and curtain freeze.
        QVERIFY(rig.app().timer(TimerId::Timer3).isActive());
        const float curtainTop = rig.controls().covertop.Top;
        pauseWithHeldP(rig, rig.app().gameWindow()->curtainTop());
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(rig.controls().covertop.Top, curtainTop);
        rig.clickPause();
        CHECK_RIG(rig);
        QVERIFY(!rig.controls().Pause.Visible);
        QVERIFY(rig.app().timer(TimerId::Timer3).isActive());
        for (;
             step < 400 && (rig.app().timer(TimerId::Timer2).isActive() || rig.app().timer(TimerId::Timer3).isActive());
             ++step) {
            stormStep(rig, step);
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(rig.form1().loadCount(), load);
        QVERIFY2(!rig.app().timer(TimerId::Timer3).isActive(), "the curtain opened");
        QVERIFY2(!rig.app().timer(TimerId::Timer2).isActive(), "the parade ended");
        QVERIFY2(rig.app().timer(TimerId::Timer1).isActive() || rig.controls().Command1.Visible, "play began");
    }

    // Play until the game is over, keys held all the while; a pause on the way.
    static void playToGameOverUnderHeldKeys(Rig& rig)
    {
        bool paused = false;
        for (int step = 0; step < 20000 && !rig.controls().Command1.Visible; ++step) {
            if (!paused && step == 40) {
                const float down = rig.form1().down;
                pauseWithHeldP(rig, rig.app().gameWindow()->gameOverButton());
                if (QTest::currentTestFailed())
                    return;
                QCOMPARE(rig.form1().down, down);
                rig.clickPause();
                CHECK_RIG(rig);
                QVERIFY(rig.app().timer(TimerId::Timer1).isActive());
                QCOMPARE(rig.app().timer(TimerId::Timer1).interval(), 50);
                paused = true;
            }
            stormStep(rig, step);
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY2(rig.controls().Command1.Visible, "the game ended");
        QVERIFY(!rig.app().timer(TimerId::Timer1).isActive());
        QVERIFY(rig.app().gameWindow()->gameOverButton()->isVisible());
    }

private slots:
    void heldKeysReachTheGameThroughEveryStage()
    {
        Rig rig;
        CHECK_RIG(rig);
        rig.chooseAndGo(3); // "Hard": a row a tick, so games end quickly
        CHECK_RIG(rig);
        QVERIFY(rig.app().gameWindow());

        double best = 0;
        for (int game = 0; game < 3; ++game) {
            curtainAndParadeUnderHeldKeys(rig);
            if (QTest::currentTestFailed())
                return;

            if (game == 0) {
                // First piece in an empty well, clear of the top: held Left and Right carry it to the walls.
                QVERIFY(rig.tickUntil(
                    TimerId::Timer1, [&] { return rig.form1().down >= 2; }, 30));
                CHECK_RIG(rig);
                view::GameWindow* window = rig.app().gameWindow();
                rig.holdKey(window->pauseButton(), Qt::Key_Left, 15, Delivery::ReachesGame);
                CHECK_RIG(rig);
                QCOMPARE(pieceColumns(rig.form1()).first, 1);
                rig.holdKey(window->curtainBottom(), Qt::Key_Right, 15, Delivery::ReachesGame);
                CHECK_RIG(rig);
                QCOMPARE(pieceColumns(rig.form1()).second, 10);
            }

            playToGameOverUnderHeldKeys(rig);
            if (QTest::currentTestFailed())
                return;
            best = std::max(best, rig.form1().score.numeric());

            // Held keys at game over, P included; the resume leaves the stopped play tick silent.
            for (int step = 0; step < 30; ++step) {
                stormStep(rig, step);
                if (QTest::currentTestFailed())
                    return;
            }
            pauseWithHeldP(rig, rig.app().gameWindow());
            if (QTest::currentTestFailed())
                return;
            rig.clickPause();
            CHECK_RIG(rig);
            QVERIFY(!rig.app().timer(TimerId::Timer1).isActive());
            QVERIFY(rig.controls().Command1.Visible);

            // The restart, keys still held: the retired window and the difficulty window pass them over.
            QPointer<view::GameWindow> old = rig.app().gameWindow();
            const std::uint64_t load = rig.form1().loadCount();
            rig.clickGameOver();
            CHECK_RIG(rig);
            QCOMPARE(rig.form1().loadCount(), load + 1);
            QVERIFY(rig.app().gameWindow() && rig.app().gameWindow() != old.data());
            QVERIFY(!old.isNull() && !old->isVisible());
            for (QWidget* target : test::keyTargets(old.data()))
                for (int key : {Qt::Key_Left, Qt::Key_P, Qt::Key_Down, Qt::Key_A})
                    rig.holdKey(target, key, 5, Delivery::Ignored);
            CHECK_RIG(rig);
            for (int key : {Qt::Key_P, Qt::Key_Down, Qt::Key_A})
                rig.holdKey(rig.app().difficultyWindow(), key, 5, Delivery::Ignored);
            CHECK_RIG(rig);
            test::settle();
            QVERIFY2(old.isNull(), "the retired game window is deleted");
            CHECK_RIG(rig);
            QCOMPARE(rig.form1().hiscore.numeric(), best);
            QCOMPARE(rig.program().module1.difficulty, 0);
        }
    }

    // The same stages with the real QTimers running and the keys coming through the window system,
    // as the desktop delivers them to whichever widget has the focus.
    void heldKeysWithRealTimers()
    {
        Rig rig;
        rig.chooseAndGo(3);
        view::GameWindow* window = rig.app().gameWindow();
        QVERIFY(window && window->windowHandle());
        auto holdThroughSystem = [&](int key, int repeats) {
            QWindow* handle = rig.app().gameWindow()->windowHandle();
            for (int i = 0; i <= repeats; ++i) {
                qt_handleKeyEvent(handle, QEvent::KeyPress, key, Qt::NoModifier, QString(), i > 0);
                qt_handleKeyEvent(handle, QEvent::KeyRelease, key, Qt::NoModifier, QString(), i > 0);
            }
            QCoreApplication::processEvents();
        };

        // The first Down of a piece hurries it for 5 points, whatever arrives after it.
        holdThroughSystem(Qt::Key_Down, 10);
        QCOMPARE(rig.form1().score.numeric(), 5.0);
        QCOMPARE(rig.form1().speed, 1.0f);

        // Curtain (200 ms a tick) and parade (2 ms) on their own clocks, under keys that do nothing.
        int step = 0;
        QVERIFY2(test::runEventsUntil(
                     [&] {
                         holdThroughSystem(step++ % 2 ? Qt::Key_Up : Qt::Key_Space, 3);
                         return !rig.app().timer(TimerId::Timer3).isActive() &&
                             rig.app().timer(TimerId::Timer1).isActive();
                     },
                     20000),
            "the curtain opens and play begins on the real timers");
        CHECK_VIEW(rig);
        QCOMPARE(rig.app().timer(TimerId::Timer1).interval(), 50);

        // Paused through the window system: nothing moves however long the timers had been due.
        QVERIFY2(test::runEventsUntil([&] { return rig.form1().down >= 1; }, 10000), "the first piece falls");
        holdThroughSystem(Qt::Key_P, 8);
        CHECK_VIEW(rig);
        QVERIFY(rig.controls().Pause.Visible);
        QVERIFY(engineTimersAllDisabled(rig.controls()));
        const std::string paused = test::stateOf(rig.program());
        test::runEventsUntil([&] { return false; }, 300);
        QCOMPARE(test::stateOf(rig.program()), paused);
        rig.clickPause();
        const float down = rig.form1().down;
        QVERIFY2(
            test::runEventsUntil([&] { return rig.form1().down != down || rig.controls().Command1.Visible; }, 10000),
            "play goes on after the resume");
        CHECK_VIEW(rig);

        // To the end of the game by direct ticks, then the restart's 1 ms parade on the real clock.
        QVERIFY(rig.tickUntil(
            TimerId::Timer1, [&] { return rig.controls().Command1.Visible; }, 20000));
        rig.clickGameOver();
        CHECK_VIEW(rig);
        QCOMPARE(rig.app().timer(TimerId::Timer2).interval(), 1);
        QVERIFY2(test::runEventsUntil(
                     [&] {
                         holdThroughSystem(Qt::Key_Right, 2);
                         return rig.app().timer(TimerId::Timer1).isActive();
                     },
                     20000),
            "the restart's parade ends and play begins");
        test::settle();
        CHECK_VIEW(rig);
        QVERIFY(rig.app().difficultyWindow()->isVisible());
        QVERIFY(rig.app().gameWindow()->isVisible());
        QCOMPARE(rig.program().module1.difficulty, 0);
    }
};

int runHeldKeysTests(int argc, char** argv)
{
    HeldKeysTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace blokko::stress

#include "held_keys_test.moc"
