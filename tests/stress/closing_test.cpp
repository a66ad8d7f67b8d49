// Windows closed at every stage, with QWidget::close() and with a close event as the window system
// sends it. Closing the game window ends the program, whatever runs in it; closing the difficulty
// window ends it before the first "GO!" and afterwards only hides it, and the game goes on. After the
// end the program is taken down as main() would, and no window outlives it.

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "desktop/difficulty_window.h"
#include "desktop/game_window.h"
#include "tests/stress/rig.h"

namespace blokko::stress {

namespace {

enum class Stage { Curtain, Parade, Play, Pause, GameOver, Restarted };

} // namespace

} // namespace blokko::stress

Q_DECLARE_METATYPE(blokko::stress::Stage)
Q_DECLARE_METATYPE(blokko::stress::CloseBy)

namespace blokko::stress {

class ClosingTest : public QObject {
    Q_OBJECT

private:
    static void addCloseWays()
    {
        QTest::addColumn<CloseBy>("by");
        QTest::newRow("close()") << CloseBy::Method;
        QTest::newRow("close event") << CloseBy::Event;
    }

    static bool running(Rig& rig, TimerId id) { return rig.app().timer(id).isActive(); }

    // From program start to `stage` of the first game ("Hard"), or of the second after a restart.
    static void reach(Rig& rig, Stage stage)
    {
        rig.chooseAndGo(3);
        if (stage == Stage::Curtain) {
            for (int i = 0; i < 3; ++i) {
                rig.tick(TimerId::Timer3);
                rig.tick(TimerId::Timer2);
            }
            QVERIFY(running(rig, TimerId::Timer3));
            QVERIFY(rig.controls().coverbottom.Top < rig.controls().Height);
            return;
        }
        QVERIFY(rig.tickUntilStopped(TimerId::Timer3, 100));
        if (stage == Stage::Parade) {
            for (int i = 0; i < 10; ++i)
                rig.tick(TimerId::Timer2);
            QVERIFY(running(rig, TimerId::Timer2));
            QVERIFY(!running(rig, TimerId::Timer3));
            return;
        }
        QVERIFY(rig.tickUntilStopped(TimerId::Timer2, 100));
        QVERIFY(rig.tickUntil(
            TimerId::Timer1, [&] { return rig.form1().down >= 3; }, 30));
        QVERIFY(running(rig, TimerId::Timer1));
        if (stage == Stage::Play)
            return;
        if (stage == Stage::Pause) {
            rig.holdKey(rig.app().gameWindow(), Qt::Key_P, 0, Delivery::ReachesGame);
            QVERIFY(rig.controls().Pause.Visible);
            QVERIFY(!running(rig, TimerId::Timer1));
            return;
        }
        QVERIFY(rig.tickUntil(
            TimerId::Timer1, [&] { return rig.controls().Command1.Visible; }, 20000));
        if (stage == Stage::GameOver)
            return;
        // Closed at once: the retired window still waits for its deletion.
        rig.clickGameOver();
        QVERIFY(rig.app().difficultyWindow()->isVisible());
        QVERIFY(running(rig, TimerId::Timer3));
    }

    // The end the program makes after quitRequested: the event loop gives out, main() returns and the
    // program is destroyed with whatever was running. Nothing may be left behind.
    static void endLikeMain(Rig& rig, qsizetype topLevelsAtStart)
    {
        // The quit is queued: events still arrive until the loop sees it.
        test::runEventsUntil([] { return false; }, 50);
        CHECK_RIG(rig);
        rig.endProgram();
        test::settle();
        QCOMPARE(QApplication::topLevelWidgets().size(), topLevelsAtStart);
    }

private slots:
    void closingTheGameWindowEndsTheProgram_data()
    {
        QTest::addColumn<Stage>("stage");
        QTest::addColumn<CloseBy>("by");
        const std::pair<const char*, Stage> stages[] = {{"curtain", Stage::Curtain}, {"parade", Stage::Parade},
            {"play", Stage::Play}, {"pause", Stage::Pause}, {"game over", Stage::GameOver},
            {"restarted", Stage::Restarted}};
        for (const auto& [name, stage] : stages) {
            QTest::newRow(QByteArray(name).append(", close()").constData()) << stage << CloseBy::Method;
            QTest::newRow(QByteArray(name).append(", close event").constData()) << stage << CloseBy::Event;
        }
    }

    void closingTheGameWindowEndsTheProgram()
    {
        QFETCH(Stage, stage);
        QFETCH(CloseBy, by);
        const qsizetype topLevels = QApplication::topLevelWidgets().size();
        Rig rig;
        QSignalSpy quit(&rig.app(), &view::DesktopApp::quitRequested);
        reach(rig, stage);
        if (QTest::currentTestFailed())
            return;
        CHECK_RIG(rig);
        const std::string before = test::stateOf(rig.program());

        rig.closeGameWindow(by);
        QCOMPARE(quit.count(), 1);
        // The game is untouched and still on screen until the program goes.
        QCOMPARE(test::stateOf(rig.program()), before);
        CHECK_RIG(rig);
        QVERIFY(rig.app().gameWindow()->isVisible());

        endLikeMain(rig, topLevels);
        QCOMPARE(quit.count(), 1);
    }

    void closingTheDifficultyWindowBeforeTheFirstGoEndsTheProgram_data() { addCloseWays(); }

    void closingTheDifficultyWindowBeforeTheFirstGoEndsTheProgram()
    {
        QFETCH(CloseBy, by);
        const qsizetype topLevels = QApplication::topLevelWidgets().size();
        Rig rig;
        QSignalSpy quit(&rig.app(), &view::DesktopApp::quitRequested);
        const std::string before = test::stateOf(rig.program());
        rig.closeDifficultyWindow(by);
        QCOMPARE(quit.count(), 1);
        QCOMPARE(test::stateOf(rig.program()), before);
        QVERIFY(!rig.form1().loaded());
        QVERIFY(!rig.app().gameWindow());
        CHECK_RIG(rig);
        endLikeMain(rig, topLevels);
        QCOMPARE(quit.count(), 1);
    }

    void closingTheDifficultyWindowAfterARestartOnlyHidesIt_data() { addCloseWays(); }

    void closingTheDifficultyWindowAfterARestartOnlyHidesIt()
    {
        QFETCH(CloseBy, by);
        const qsizetype topLevels = QApplication::topLevelWidgets().size();
        Rig rig;
        QSignalSpy quit(&rig.app(), &view::DesktopApp::quitRequested);
        reach(rig, Stage::Restarted);
        if (QTest::currentTestFailed())
            return;
        test::settle();
        CHECK_RIG(rig);
        QVERIFY(rig.app().difficultyWindow()->isVisible());

        rig.closeDifficultyWindow(by);
        QCOMPARE(quit.count(), 0);
        CHECK_RIG(rig);
        QVERIFY(!rig.program().form2.Visible);
        QVERIFY(!rig.app().difficultyWindow()->isVisible());
        QVERIFY(rig.app().gameWindow()->isVisible());

        // The game goes on without a new choice: the parade, then play at the last game's speed.
        QVERIFY(rig.tickUntilStopped(TimerId::Timer2, 100));
        QVERIFY(rig.tickUntilStopped(TimerId::Timer3, 100));
        QVERIFY(running(rig, TimerId::Timer1));
        const std::string blocks = rig.form1().blocks;
        QVERIFY(rig.tickUntil(
            TimerId::Timer1, [&] { return rig.form1().blocks != blocks && rig.form1().down >= 0; }, 200));
        CHECK_RIG(rig);
        QCOMPARE(rig.program().module1.difficulty, 0);
        QCOMPARE(rig.form1().speed, 1.0f);
        QVERIFY(!rig.app().difficultyWindow()->isVisible());

        // Closing it again while hidden does nothing (as during the first game, when it is hidden too);
        // closing the game window ends the program.
        const std::string hidden = test::stateOf(rig.program());
        rig.closeDifficultyWindow(by);
        QCOMPARE(quit.count(), 0);
        QCOMPARE(test::stateOf(rig.program()), hidden);
        CHECK_RIG(rig);
        QVERIFY(rig.tick(TimerId::Timer1));
        CHECK_RIG(rig);
        rig.closeGameWindow(by);
        QCOMPARE(quit.count(), 1);
        CHECK_RIG(rig);
        endLikeMain(rig, topLevels);
        QCOMPARE(quit.count(), 1);
    }
};

int runClosingTests(int argc, char** argv)
{
    ClosingTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace blokko::stress

#include "closing_test.moc"
