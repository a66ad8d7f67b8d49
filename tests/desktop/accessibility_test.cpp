// What assistive technology is given, through Qt's accessibility interfaces (the AT-SPI client of
// scripts/test-accessibility.sh reads the same through the desktop's accessibility bus).

#include <QAccessible>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "desktop/difficulty_window.h"
#include "desktop/game_window.h"
#include "tests/support/desktop_harness.h"

namespace blokko::test {

namespace {

// The names of the shown static texts among an interface's children.
QStringList shownTexts(QAccessibleInterface* window)
{
    QStringList names;
    for (int i = 0; i < window->childCount(); ++i) {
        QAccessibleInterface* child = window->child(i);
        if (child && child->role() == QAccessible::StaticText && !child->state().invisible)
            names << child->text(QAccessible::Name);
    }
    return names;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void difficultyWindowTellsItsChoice()
    {
        DesktopSession s({2, 3}, 20);
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(s.app().difficultyWindow());
        QVERIFY(window);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Form2"));

        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(s.app().difficultyWindow()->scrollBar());
        QCOMPARE(bar->text(QAccessible::Name), QStringLiteral("Difficulty"));
        QCOMPARE(bar->text(QAccessible::Description), QStringLiteral("Easy"));
        QCOMPARE(bar->valueInterface()->currentValue().toInt(), 1);
        // A screen reader sets the value: the game's choice follows, and the name with it.
        bar->valueInterface()->setCurrentValue(4);
        QCOMPARE(s.program().form2.controls.HScroll1.Value, 4);
        QCOMPARE(bar->text(QAccessible::Description), QStringLiteral("Intense"));
        QAccessibleInterface* go = QAccessible::queryAccessibleInterface(s.app().difficultyWindow()->goButton());
        QCOMPARE(go->text(QAccessible::Name), QStringLiteral("GO!"));
        go->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(s.program().module1.difficulty, 4); // the press is animated
    }

    void gameWindowTextsFollowTheirCaptions()
    {
        DesktopSession s({2, 3}, 400);
        s.chooseAndGo(4);
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(s.app().gameWindow());
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Blokko"));
        QCOMPARE(shownTexts(window),
            QStringList({"Next Piece:", "Score:000000", "HiScore:000000", "Rows:000", "Blocks:0000", "Level 0"}));
        QVERIFY(s.finishIntro());
        QVERIFY(s.tickUntil(
            TimerId::Timer1, [&] { return s.form1().blocks == "0001"; }, 500));
        QVERIFY(shownTexts(window).contains(QStringLiteral("Blocks:0001")));
        QVERIFY(shownTexts(window).contains(QStringLiteral("Score:000010")));

        // The restart builds a new window whose texts start over; the hidden "Level" is not read out.
        QVERIFY(s.tickUntil(
            TimerId::Timer1, [&] { return s.controls().Command1.Visible; }, 20000));
        s.clickGameOver();
        settle();
        window = QAccessible::queryAccessibleInterface(s.app().gameWindow());
        const QStringList texts = shownTexts(window);
        QVERIFY(texts.contains(QStringLiteral("Score:000000")));
        QVERIFY(!texts.filter(QStringLiteral("Level")).size());
        QCOMPARE(texts.filter(QStringLiteral("HiScore:")).size(), 1);
        QVERIFY(texts.filter(QStringLiteral("HiScore:")).first() != QStringLiteral("HiScore:000000"));
    }
};

int runAccessibilityTests(int argc, char** argv)
{
    AccessibilityTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace blokko::test

#include "accessibility_test.moc"
