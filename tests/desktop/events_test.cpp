// The player's input reaches the engine: keys whatever has the focus, the buttons, the scroll bar; and
// the QTimers follow the engine's timers. Restarts and closing windows at every stage are the stress
// suite's.

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
#include "tests/desktop/pixels.h"
#include "tests/support/desktop_harness.h"

namespace blokko::test {

class EventsTest : public QObject {
    Q_OBJECT

private:
    // Hard: a whole row a tick, so a few ticks bring the first piece clear of the top wall.
    static void playUntilClearOfTop(DesktopSession& s)
    {
        s.startPlaying(3);
        QVERIFY(s.tickUntil(
            TimerId::Timer1, [&] { return s.form1().down >= 2; }, 20));
    }

private slots:
    // Keys reach the game whichever widget has them, held or not: the stress suite holds them on every
    // one, P included. Here: letters act with Shift as without, no button takes the focus, and a click
    // on "Pause" resumes (Enter and Space are the keyboard suite's).
    void lettersActWithShiftAndNoButtonTakesTheKeys()
    {
        DesktopSession s({2, 3}, 20);
        playUntilClearOfTop(s);
        view::GameWindow* window = s.app().gameWindow();
        const int turn = s.form1().turn;
        QTest::keyClick(window->curtainTop(), Qt::Key_A, Qt::ShiftModifier);
        QCOMPARE(s.form1().turn, turn % 4 + 1);
        QTest::keyClick(window, Qt::Key_S);
        QCOMPARE(s.form1().turn, turn);

        QCOMPARE(window->pauseButton()->focusPolicy(), Qt::NoFocus);
        QCOMPARE(window->gameOverButton()->focusPolicy(), Qt::NoFocus);
        QTest::keyClick(window, Qt::Key_P);
        QVERIFY(window->pauseButton()->isVisible());
        QTest::mouseClick(window->pauseButton(), Qt::LeftButton);
        QVERIFY(!s.controls().Pause.Visible && !window->pauseButton()->isVisible());
        CHECK_VIEW(s);
    }

    // P at the first curtain tick: the button stands in front of the frozen curtain, and a click on its
    // centre resumes the curtain and the parade.
    void pauseDuringTheClosedCurtainIsResumedByAClickOnTheButton()
    {
        DesktopSession s({2, 3}, 20);
        s.chooseAndGo(1);
        QVERIFY(s.tick(TimerId::Timer3));
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
        QVERIFY(s.tick(TimerId::Timer3));
        QCOMPARE(s.controls().covertop.Top, top - 250);
        const int turn = s.form1().turn;
        QVERIFY(s.tick(TimerId::Timer2));
        QVERIFY(s.form1().turn != turn);
        CHECK_VIEW(s);
    }

    void goTakesTheScrollBarsChoiceAndShowsTheGameWindow()
    {
        DesktopSession s({1, 1}, 5);
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
        DesktopSession s;
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
        DesktopSession s({2, 3}, 20);
        s.chooseAndGo(1);
        const QTimer& play = s.app().timer(TimerId::Timer1);
        const QTimer& parade = s.app().timer(TimerId::Timer2);
        const QTimer& curtain = s.app().timer(TimerId::Timer3);
        CHECK_VIEW(s);
        QVERIFY(parade.isActive() && curtain.isActive());
        QCOMPARE(parade.interval(), 2);
        QCOMPARE(parade.timerType(), Qt::PreciseTimer);
        QCOMPARE(curtain.interval(), 200);

        // An event that leaves a timer's interval and flag alone leaves its QTimer running down: started
        // again, it would wait its whole interval anew, and held keys would hold the piece up. Qt gives a
        // restarted timer its old id back, so the time left is what tells. No event is processed while
        // the real time passes, so no timer fires in between.
        QTest::qSleep(60);
        QVERIFY(s.tick(TimerId::Timer2));
        pressKey(s.app().gameWindow(), Qt::Key_Down);
        QVERIFY2(curtain.remainingTime() < 170, "an unrelated event restarted the curtain's QTimer");

        QVERIFY(s.tickUntilStopped(TimerId::Timer2, 100));
        CHECK_VIEW(s);
        QCOMPARE(play.interval(), 50);
        QTest::qSleep(30);
        pressKey(s.app().gameWindow(), Qt::Key_Right);
        QVERIFY(s.tick(TimerId::Timer3));
        QVERIFY2(play.remainingTime() < 40, "an unrelated event restarted the play tick's QTimer");

        QVERIFY(s.tickUntilStopped(TimerId::Timer3, 100));
        CHECK_VIEW(s);
        QCOMPARE(s.controls().Timer3.Interval, 0);
    }

    // The program's own event loop ends when a window that ends the program is closed, and ends
    // cleanly: status 0, at once, without spinning on refused close requests.
    void closingAWindowEndsTheRunningProgram()
    {
        const auto runUntilClosed = [](DesktopSession& s, const std::function<QWidget*()>& window) {
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
            DesktopSession s;
            QCOMPARE(runUntilClosed(s, [&] { return s.app().difficultyWindow(); }), std::pair(0, 1));
        }
        {
            DesktopSession s({1}, 400);
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

} // namespace blokko::test

#include "events_test.moc"
