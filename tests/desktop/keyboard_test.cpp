// The keyboard: the physical keys under A, S and P act in every layout, and the typed letter counts in
// Latin layouts.

#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "desktop/difficulty_window.h"
#include "desktop/game_window.h"
#include "desktop/key_codes.h"
#include "tests/desktop/pixels.h"

namespace blokko::test {

namespace {

// X11 and Wayland key codes of keys on a US keyboard (the kernel's numbers plus 8); the test's own copy.
constexpr quint32 KeyUnderA = 38;
constexpr quint32 KeyUnderS = 39;
constexpr quint32 KeyUnderP = 33;
constexpr quint32 KeyUnderQ = 24;
constexpr quint32 KeyUnder2 = 11;
constexpr quint32 KeyUnderSemicolon = 47;
constexpr quint32 KeyLeft = 113;

// A key press as the window system delivers it: Qt's key, the key code, the typed text.
int codeOf(int key, quint32 scanCode, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, scanCode, 0, 0, text);
    return view::gameKeyCode(event);
}

int codeOf(char32_t symbol, quint32 scanCode)
{
    return codeOf(static_cast<int>(QChar::toUpper(symbol)), scanCode, QString::fromUcs4(&symbol, 1));
}

// A key press with its key code and text, sent where the focus is in `window`.
void press(QWidget* window, int key, quint32 scanCode, const QString& text)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, scanCode, 0, 0, text);
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QApplication::sendEvent(target, &event);
}

// A key as the player presses it, to whichever widget of the window has the focus.
void key(QWidget* window, Qt::Key key)
{
    QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, key);
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    // Presses without text or key code, as tests and input methods send them, still count by Qt's key.
    void qtKeysWithoutTextCountByTheirKey()
    {
        QCOMPARE(codeOf(Qt::Key_Left, 0, QString()), 37);
        QCOMPARE(codeOf(Qt::Key_Down, 0, QString()), 40);
        QCOMPARE(codeOf(Qt::Key_S, 0, QString()), 83);
        QCOMPARE(codeOf(Qt::Key_9, 0, QString()), 57);
        QCOMPARE(codeOf(Qt::Key_Space, 0, QString()), 32);
        QCOMPARE(codeOf(Qt::Key_Return, 0, QString()), 13);
        QCOMPARE(codeOf(Qt::Key_Enter, 0, QString()), 13);
        QCOMPARE(codeOf(Qt::Key_F12, 0, QString()), 123);
        QCOMPARE(codeOf(Qt::Key_Eacute, 0, QString()), 0);
        QCOMPARE(codeOf(Qt::Key_unknown, 0, QString()), 0);
        // Ctrl, Alt or Meta with a key is the system's.
        QCOMPARE(codeOf(Qt::Key_P, KeyUnderP, QStringLiteral("p"), Qt::ControlModifier), 0);
        QCOMPARE(codeOf(Qt::Key_Down, 0, QString(), Qt::AltModifier), 0);
    }

    void lettersOfOtherScriptsCountAsTheUsKeyUnderThem_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<uint>("underA");
        QTest::addColumn<uint>("underS");
        QTest::addColumn<uint>("underP");
        QTest::addRow("Russian") << "ru" << 0x0444u << 0x044Bu << 0x0437u;
        QTest::addRow("Ukrainian") << "ua" << 0x0444u << 0x0456u << 0x0437u;
        QTest::addRow("Greek") << "gr" << 0x03B1u << 0x03C3u << 0x03C0u;
        QTest::addRow("Hebrew") << "il" << 0x05E9u << 0x05D3u << 0x05E4u;
        QTest::addRow("Arabic") << "ara" << 0x0634u << 0x0633u << 0x062Du;
    }

    void lettersOfOtherScriptsCountAsTheUsKeyUnderThem()
    {
        QFETCH(uint, underA);
        QFETCH(uint, underS);
        QFETCH(uint, underP);
        QCOMPARE(codeOf(underA, KeyUnderA), 65);
        QCOMPARE(codeOf(underS, KeyUnderS), 83);
        QCOMPARE(codeOf(underP, KeyUnderP), 80);
        // With Shift or Caps Lock the capital comes: the same key.
        const char32_t capital = QChar::toUpper(char32_t(underA));
        QCOMPARE(codeOf(static_cast<int>(capital), KeyUnderA, QString::fromUcs4(&capital, 1), Qt::ShiftModifier), 65);
        // A symbol Qt gives no key for still has its text.
        const char32_t a = underA;
        QCOMPARE(codeOf(Qt::Key_unknown, KeyUnderA, QString::fromUcs4(&a, 1)), 65);
        // Without a key code to go by (a synthesized press), the letter of another script stays unknown.
        QCOMPARE(codeOf(underA, 0), 0);
    }

    void latinLayoutsKeepTheTypedLetter()
    {
        // US: as typed.
        QCOMPARE(codeOf(Qt::Key_A, KeyUnderA, QStringLiteral("a")), 65);
        QCOMPARE(codeOf(Qt::Key_P, KeyUnderP, QStringLiteral("P"), Qt::ShiftModifier), 80);
        // AZERTY: the key labelled A stands where a US keyboard has Q, and it is A; the US A key is Q.
        QCOMPARE(codeOf(Qt::Key_A, KeyUnderQ, QStringLiteral("a")), 65);
        QCOMPARE(codeOf(Qt::Key_Q, KeyUnderA, QStringLiteral("q")), 81);
        // Latin letters beyond A to Z are no game keys, wherever they stand.
        QCOMPARE(codeOf(Qt::Key_Eacute, KeyUnder2, QStringLiteral("\u00e9")), 0);
        QCOMPARE(codeOf(Qt::Key_Odiaeresis, KeyUnderSemicolon, QStringLiteral("\u00f6")), 0);
        QCOMPARE(codeOf(0x0131 /* dotless i */, KeyUnderS, QStringLiteral("\u0131")), 0);
        // Keys that type no letter keep their meaning in every layout.
        QCOMPARE(codeOf(Qt::Key_Left, KeyLeft, QString()), 37);
        QCOMPARE(codeOf(Qt::Key_Comma, KeyUnderA, QStringLiteral(",")), 0);
    }

    // Russian: the keys under A, S and P type ф, ы and з; the game turns and pauses with them.
    void gameActsOnTheKeysUnderASPInACyrillicLayout()
    {
        DesktopSession s({2, 3}, 20);
        QVERIFY(s.startPlaying(3));
        QVERIFY(s.tickUntil(
            TimerId::Timer1, [&] { return s.form1().down >= 2; }, 20));
        view::GameWindow* window = s.app().gameWindow();
        const int turn = s.form1().turn;
        press(window, 0x0424, KeyUnderA, QStringLiteral("\u0444"));
        QCOMPARE(s.form1().turn, turn % 4 + 1);
        press(window, 0x042B, KeyUnderS, QStringLiteral("\u044b"));
        QCOMPARE(s.form1().turn, turn);
        press(window, 0x0417, KeyUnderP, QStringLiteral("\u0437"));
        QVERIFY(s.controls().Pause.Visible);
    }

    void difficultyWindowIsChosenWithArrowsAndStartedWithEnter()
    {
        DesktopSession s({2, 3}, 20);
        view::DifficultyWindow* form2 = s.app().difficultyWindow();
        QScrollBar* bar = form2->scrollBar();
        // The window's first control has the focus, with the toolkit's focus mark around it.
        QVERIFY(QTest::qWaitForWindowActive(form2));
        QCOMPARE(form2->focusWidget(), bar);
        QVERIFY(bar->hasFocus());
        const QRect aboveBar(bar->x() + 40, bar->y() - 2, bar->width() - 80, 2);
        const QImage marked = form2->grab(aboveBar).toImage();
        // Right steps right, Left steps left, one step a press, within the four.
        key(form2, Qt::Key_Right);
        QCOMPARE(s.program().form2.controls.HScroll1.Value, 2);
        key(form2, Qt::Key_Right);
        key(form2, Qt::Key_Right);
        key(form2, Qt::Key_Right);
        QCOMPARE(s.program().form2.controls.HScroll1.Value, 4);
        key(form2, Qt::Key_Left);
        QCOMPARE(s.program().form2.controls.HScroll1.Value, 3);
        // Tab goes to "GO!" and back; the mark goes with the focus.
        key(form2, Qt::Key_Tab);
        QCOMPARE(form2->focusWidget(), form2->goButton());
        QVERIFY(form2->grab(aboveBar).toImage() != marked);
        key(form2, Qt::Key_Tab);
        QCOMPARE(form2->focusWidget(), bar);
        QCOMPARE(form2->grab(aboveBar).toImage(), marked);
        // A held Enter's repeats press nothing, on the scroll bar or on "GO!"; a press of Enter presses
        // "GO!" from the scroll bar.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
        QApplication::sendEvent(bar, &repeat);
        QApplication::sendEvent(form2->goButton(), &repeat);
        QCOMPARE(s.program().module1.difficulty, 0);
        QVERIFY(form2->isVisible());
        key(form2, Qt::Key_Return);
        QCOMPARE(s.program().module1.difficulty, 3);
        QVERIFY(!form2->isVisible());
        QVERIFY(s.app().gameWindow() && s.app().gameWindow()->isVisible());
    }

    void spaceOnTheFocusedGoButtonStartsAndEnterOnTheKeypadToo()
    {
        {
            DesktopSession s({2, 3}, 20);
            view::DifficultyWindow* form2 = s.app().difficultyWindow();
            key(form2, Qt::Key_Right);
            key(form2, Qt::Key_Tab);
            key(form2, Qt::Key_Space);
            QCOMPARE(s.program().module1.difficulty, 2);
        }
        {
            DesktopSession s({2, 3}, 20);
            view::DifficultyWindow* form2 = s.app().difficultyWindow();
            key(form2, Qt::Key_Tab);
            key(form2, Qt::Key_Enter);
            QCOMPARE(s.program().module1.difficulty, 1);
        }
        {
            // Space on the scroll bar chooses nothing and starts nothing.
            DesktopSession s({2, 3}, 20);
            view::DifficultyWindow* form2 = s.app().difficultyWindow();
            key(form2, Qt::Key_Space);
            QCOMPARE(s.program().module1.difficulty, 0);
            QVERIFY(form2->isVisible());
        }
    }

    void enterOrSpacePressesTheFrontButtonOfTheGameWindow()
    {
        DesktopSession s({1}, 400);
        QVERIFY(s.startPlaying(3));
        view::GameWindow* window = s.app().gameWindow();
        // No button shown: Enter and Space do nothing.
        const float down = s.form1().down;
        key(window, Qt::Key_Return);
        key(window, Qt::Key_Space);
        QCOMPARE(s.form1().down, down);
        QVERIFY(s.app().timer(TimerId::Timer1).isActive());
        // Pause and resume by keys alone; the buttons still take no focus.
        key(window, Qt::Key_P);
        QVERIFY(!s.app().timer(TimerId::Timer1).isActive());
        key(window, Qt::Key_Space);
        QVERIFY(!s.controls().Pause.Visible);
        QVERIFY(s.app().timer(TimerId::Timer1).isActive());
        key(window, Qt::Key_P);
        key(window, Qt::Key_Enter);
        QVERIFY(!s.controls().Pause.Visible);
        QCOMPARE(window->pauseButton()->focusPolicy(), Qt::NoFocus);
        QCOMPARE(window->gameOverButton()->focusPolicy(), Qt::NoFocus);
        // A held Enter presses once: its repeats press nothing.
        key(window, Qt::Key_P);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(window, &repeat);
        QVERIFY(s.controls().Pause.Visible);
        key(window, Qt::Key_Return);

        // Game over: Enter restarts, as a click on "Game Over" does.
        QVERIFY(s.tickUntil(
            TimerId::Timer1, [&] { return s.controls().Command1.Visible; }, 5000));
        // "Pause" shown over "Game Over" is the front one: Enter resumes, then restarts.
        key(s.app().gameWindow(), Qt::Key_P);
        key(s.app().gameWindow(), Qt::Key_Return);
        QVERIFY(!s.controls().Pause.Visible);
        QCOMPARE(s.form1().loadCount(), 1u);
        key(s.app().gameWindow(), Qt::Key_Return);
        QCOMPARE(s.form1().loadCount(), 2u);
        QVERIFY(s.app().difficultyWindow()->isVisible());
        // The Enter that restarted, held, repeats into the difficulty window: no "GO!".
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
        QWidget* form2 = s.app().difficultyWindow();
        QApplication::sendEvent(form2->focusWidget() ? form2->focusWidget() : form2, &held);
        QVERIFY(s.app().difficultyWindow()->isVisible());
        QCOMPARE(s.program().module1.difficulty, 0);
    }

    // From the first choice to the next game without a mouse.
    void aWholeSessionIsPlayedWithKeysAlone()
    {
        DesktopSession s({1}, 400);
        view::DifficultyWindow* form2 = s.app().difficultyWindow();
        key(form2, Qt::Key_Right);
        key(form2, Qt::Key_Right);
        key(form2, Qt::Key_Return);
        QCOMPARE(s.program().module1.difficulty, 3);
        QVERIFY(s.finishIntro());
        view::GameWindow* window = s.app().gameWindow();
        key(window, Qt::Key_Left);
        key(window, Qt::Key_A);
        key(window, Qt::Key_P);
        QVERIFY(s.controls().Pause.Visible);
        key(window, Qt::Key_Space);
        QVERIFY(!s.controls().Pause.Visible);
        QVERIFY(s.tickUntil(
            TimerId::Timer1, [&] { return s.controls().Command1.Visible; }, 5000));
        key(window, Qt::Key_Return);
        // The difficulty window again, the scroll bar focused at the last choice: one step left, Enter.
        form2 = s.app().difficultyWindow();
        QVERIFY(form2->isVisible());
        QCOMPARE(form2->focusWidget(), form2->scrollBar());
        QCOMPARE(form2->scrollBar()->value(), 3);
        key(form2, Qt::Key_Left);
        key(form2, Qt::Key_Return);
        QCOMPARE(s.program().module1.difficulty, 2);
        QVERIFY(!form2->isVisible());
        QVERIFY(s.app().gameWindow()->isVisible());
    }
};

int runKeyboardTests(int argc, char** argv)
{
    KeyboardTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace blokko::test

#include "keyboard_test.moc"
