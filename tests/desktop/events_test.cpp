// The player's input reaches the engine: keys whatever has the focus, the three buttons, the scroll
// bar, closing windows; and the QTimers follow the engine's timers.

#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <functional>
#include <utility>

#include "desktop/difficulty_window.h"
#include "desktop/game_window.h"
#include "desktop/key_codes.h"
#include "tests/desktop/support.h"

namespace blokko::guitest {

class EventsTest : public QObject {
    Q_OBJECT

private:
    // Hard: a whole row a tick, so a few ticks bring the first piece clear of the top wall.
    static void playUntilClearOfTop(Session& s)
    {
        s.startPlaying(3);
        QVERIFY(s.tickUntil(
            TimerId::Timer1, [&] { return s.form1().down >= 2; }, 20));
    }

private slots:
    void keysReachTheGameWhicheverWidgetHasTheFocus()
    {
        Session s({2, 3}, 20);
        playUntilClearOfTop(s);
        view::GameWindow* window = s.app().gameWindow();
        QVERIFY(window);
        const QList<QWidget*> targets{
            window, window->pauseButton(), window->gameOverButton(), window->curtainTop(), window->curtainBottom()};
        for (QWidget* target : targets) {
            const int across = s.form1().across;
            QTest::keyClick(target, Qt::Key_Right);
            QCOMPARE(s.form1().across, across + 1);
            QTest::keyClick(target, Qt::Key_Left);
            QCOMPARE(s.form1().across, across);
        }
        // A held key: every auto-repeat is a key-down of its own.
        const int across = s.form1().across;
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(window->pauseButton(), &repeat);
        QCOMPARE(s.form1().across, across - 1);
        // Letters act with Shift as without.
        const int turn = s.form1().turn;
        QTest::keyClick(window, Qt::Key_A, Qt::ShiftModifier);
        QCOMPARE(s.form1().turn, turn % 4 + 1);
        QTest::keyClick(window, Qt::Key_S);
        QCOMPARE(s.form1().turn, turn);
    }

    void pauseKeyStopsEveryTimerAndThePauseButtonResumes()
    {
        Session s({2, 3}, 20);
        playUntilClearOfTop(s);
        view::GameWindow* window = s.app().gameWindow();
        QVERIFY(s.app().timer(TimerId::Timer1).isActive());
        QTest::keyClick(window, Qt::Key_P);
        for (TimerId id : {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3})
            QVERIFY(!s.app().timer(id).isActive());
        const float down = s.form1().down;
        QVERIFY(!s.tickIfRunning(TimerId::Timer1));
        QCOMPARE(s.form1().down, down);

        QTest::mouseClick(window->pauseButton(), Qt::LeftButton);
        QVERIFY(!s.controls().Pause.Visible);
        QVERIFY(!window->pauseButton()->isVisible());
        QVERIFY(s.app().timer(TimerId::Timer1).isActive());
        QCOMPARE(s.app().timer(TimerId::Timer1).interval(), 50);
        // Parade and curtain were over before the pause: resuming leaves them silent.
        QVERIFY(!s.app().timer(TimerId::Timer2).isActive());
        QVERIFY(!s.app().timer(TimerId::Timer3).isActive());
    }

    // P at the first curtain tick: the button stands in front of the frozen curtain, and a click on its
    // centre resumes the curtain and the parade.
    void pauseDuringTheClosedCurtainIsResumedByAClickOnTheButton()
    {
        Session s({2, 3}, 20);
        s.chooseAndGo(1);
        QVERIFY(s.tickIfRunning(TimerId::Timer3));
        view::GameWindow* window = s.app().gameWindow();
        QTest::keyClick(window, Qt::Key_P);
        for (TimerId id : {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3})
            QVERIFY(!s.app().timer(id).isActive());

        const QPoint centre = pixels(s.controls().Pause).center().toPoint();
        QWidget* target = window->childAt(centre);
        QCOMPARE(target, static_cast<QWidget*>(window->pauseButton()));
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, centre));
        QVERIFY(!s.controls().Pause.Visible);
        QVERIFY(!window->pauseButton()->isVisible());

        const float top = s.controls().covertop.Top;
        QVERIFY(s.tickIfRunning(TimerId::Timer3));
        QCOMPARE(s.controls().covertop.Top, top - 250);
        const int turn = s.form1().turn;
        QVERIFY(s.tickIfRunning(TimerId::Timer2));
        QVERIFY(s.form1().turn != turn);
    }

    void goTakesTheScrollBarsChoiceAndShowsTheGameWindow()
    {
        Session s({1, 1}, 5);
        view::DifficultyWindow* form2 = s.app().difficultyWindow();
        QVERIFY(form2->isVisible());
        QVERIFY(!s.app().gameWindow());
        QCOMPARE(form2->windowTitle(), QStringLiteral("Form2"));
        QCOMPARE(form2->size(), QSize(386, 225));

        // Two clicks on the right arrow: Easy to Hard, one step a click.
        QScrollBar* bar = form2->scrollBar();
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Horizontal;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        const QRect addLine =
            bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, bar);
        QVERIFY(!addLine.isEmpty());
        QTest::mouseClick(bar, Qt::LeftButton, {}, addLine.center());
        QCOMPARE(s.program().form2.controls.HScroll1.Value, 2);
        QTest::mouseClick(bar, Qt::LeftButton, {}, addLine.center());
        QCOMPARE(s.program().form2.controls.HScroll1.Value, 3);

        QTest::mouseClick(form2->goButton(), Qt::LeftButton);
        QCOMPARE(s.program().module1.difficulty, 3);
        QVERIFY(!form2->isVisible());
        QVERIFY(s.form1().loaded());
        view::GameWindow* window = s.app().gameWindow();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Blokko"));
        QCOMPARE(
            window->size(), QSize(qRound(s.controls().ScaleWidth() / 15), qRound(s.controls().ScaleHeight() / 15)));
    }

    void scrollBarStaysWithinTheFourDifficulties()
    {
        Session s;
        QScrollBar* bar = s.app().difficultyWindow()->scrollBar();
        QCOMPARE(bar->minimum(), 1);
        QCOMPARE(bar->maximum(), 4);
        QCOMPARE(bar->pageStep(), 1);
        for (int i = 0; i < 6; ++i)
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(s.program().form2.controls.HScroll1.Value, 4);
        for (int i = 0; i < 6; ++i)
            bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(s.program().form2.controls.HScroll1.Value, 1);
    }

    void timersMirrorTheEngineAndRestartOnlyWhenItChangesThem()
    {
        Session s({2, 3}, 20);
        s.chooseAndGo(1);
        const QTimer& parade = s.app().timer(TimerId::Timer2);
        const QTimer& curtain = s.app().timer(TimerId::Timer3);
        QVERIFY(!s.app().timer(TimerId::Timer1).isActive());
        QVERIFY(parade.isActive());
        QCOMPARE(parade.interval(), 2);
        QCOMPARE(parade.timerType(), Qt::PreciseTimer);
        QVERIFY(curtain.isActive());
        QCOMPARE(curtain.interval(), 200);

        // Ticks and keys that leave a timer's interval and flag alone leave its QTimer running as it was.
        const int curtainId = curtain.timerId();
        const int paradeId = parade.timerId();
        QVERIFY(s.tickIfRunning(TimerId::Timer3));
        QVERIFY(s.tickIfRunning(TimerId::Timer2));
        QTest::keyClick(s.app().gameWindow(), Qt::Key_Down);
        QCOMPARE(curtain.timerId(), curtainId);
        QCOMPARE(parade.timerId(), paradeId);

        s.finishParade();
        QVERIFY(!parade.isActive());
        QVERIFY(s.app().timer(TimerId::Timer1).isActive());
        QCOMPARE(s.app().timer(TimerId::Timer1).interval(), 50);
        s.openCurtain();
        QVERIFY(!curtain.isActive());
        QCOMPARE(s.controls().Timer3.Interval, 0);
    }

    void gameOverRebuildsTheGameWindowAndKeepsTheBestScore()
    {
        Session s({1}, 400);
        s.startPlaying(3);
        QVERIFY(s.tickUntil(
            TimerId::Timer1, [&] { return s.controls().Command1.Visible; }, 5000));
        QVERIFY(!s.app().timer(TimerId::Timer1).isActive());
        QPointer<view::GameWindow> old = s.app().gameWindow();
        QVERIFY(old->gameOverButton()->isVisible());
        const std::string best = s.form1().score.joined();
        QVERIFY(s.form1().score.numeric() > 0);

        QTest::mouseClick(old->gameOverButton(), Qt::LeftButton);
        QCOMPARE(s.form1().loadCount(), 2u);
        view::GameWindow* fresh = s.app().gameWindow();
        QVERIFY(fresh && fresh != old.data());
        QVERIFY(fresh->isVisible());
        QVERIFY(!old->isVisible());
        QVERIFY(s.app().difficultyWindow()->isVisible());
        QCOMPARE(s.program().module1.difficulty, 0);
        QVERIFY(!fresh->gameOverButton()->isVisible());
        QCOMPARE(s.controls().hscorelabel.Caption, "HiScore:" + best);
        // The restart's parade runs at 1 ms, the curtain again at 200 ms.
        QVERIFY(s.app().timer(TimerId::Timer2).isActive());
        QCOMPARE(s.app().timer(TimerId::Timer2).interval(), 1);
        QVERIFY(s.app().timer(TimerId::Timer3).isActive());

        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(old.isNull(), "the unloaded window is destroyed");
        // The new game: its keys reach the engine through the new window.
        s.finishParade();
        QVERIFY(s.tickUntil(
            TimerId::Timer1, [&] { return s.form1().down >= 2; }, 20));
        const int across = s.form1().across;
        QTest::keyClick(fresh, Qt::Key_Right);
        QCOMPARE(s.form1().across, across + 1);
        // While the difficulty window has the keys, the game gets none of them.
        QTest::keyClick(s.app().difficultyWindow()->scrollBar(), Qt::Key_Right);
        QCOMPARE(s.form1().across, across + 1);
    }

    void closingWindowsEndsOrHidesAsTheGameNeeds()
    {
        {
            Session s;
            QSignalSpy quit(&s.app(), &view::DesktopApp::quitRequested);
            s.app().difficultyWindow()->close();
            QCOMPARE(quit.count(), 1);
        }
        {
            Session s({1}, 400);
            QSignalSpy quit(&s.app(), &view::DesktopApp::quitRequested);
            s.startPlaying(3);
            s.app().gameWindow()->close();
            QCOMPARE(quit.count(), 1);
        }
        {
            Session s({1}, 400);
            QSignalSpy quit(&s.app(), &view::DesktopApp::quitRequested);
            s.startPlaying(3);
            QVERIFY(s.tickUntil(
                TimerId::Timer1, [&] { return s.controls().Command1.Visible; }, 5000));
            QTest::mouseClick(s.app().gameWindow()->gameOverButton(), Qt::LeftButton);
            QVERIFY(s.app().difficultyWindow()->isVisible());
            // With a game loaded, closing the difficulty window only hides it; the game goes on.
            s.app().difficultyWindow()->close();
            QCOMPARE(quit.count(), 0);
            QVERIFY(!s.program().form2.Visible);
            QVERIFY(!s.app().difficultyWindow()->isVisible());
            QVERIFY(s.app().gameWindow()->isVisible());
            QVERIFY(s.tickIfRunning(TimerId::Timer2));
        }
    }

    // The program's own event loop ends when a window that ends the program is closed, and ends
    // cleanly: status 0, at once, without spinning on refused close requests.
    void closingAWindowEndsTheRunningProgram()
    {
        const auto runUntilClosed = [](Session& s, const std::function<QWidget*()>& window) {
            QTimer::singleShot(0, [&] { window()->close(); });
            // A program that does not end on its own is stopped with a status the test rejects; the
            // timer goes with this scope, so it can never end a later test's loop.
            QTimer safety;
            safety.setSingleShot(true);
            QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(3); });
            safety.start(5000);
            QSignalSpy quit(&s.app(), &view::DesktopApp::quitRequested);
            const int status = s.app().run();
            return std::pair<int, int>(status, static_cast<int>(quit.count()));
        };
        {
            Session s;
            QCOMPARE(runUntilClosed(s, [&] { return s.app().difficultyWindow(); }), std::pair(0, 1));
        }
        {
            Session s({1}, 400);
            s.startPlaying(3);
            QCOMPARE(runUntilClosed(s, [&] { return static_cast<QWidget*>(s.app().gameWindow()); }), std::pair(0, 1));
        }
    }
};

int runEventsTests(int argc, char** argv)
{
    EventsTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace blokko::guitest

#include "events_test.moc"
