// The keyboard: the physical keys under A, S and P act in every layout, and the typed letter counts in
// Latin layouts.

#include <QKeyEvent>
#include <QTest>

#include "desktop/key_codes.h"

namespace blokko::guitest {

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
    return view::virtualKeyCode(event);
}

int codeOf(char32_t symbol, quint32 scanCode)
{
    return codeOf(static_cast<int>(QChar::toUpper(symbol)), scanCode, QString::fromUcs4(&symbol, 1));
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void qtKeysGiveTheDesktopsVirtualKeys()
    {
        QCOMPARE(view::virtualKeyCode(Qt::Key_Left), 37);
        QCOMPARE(view::virtualKeyCode(Qt::Key_Up), 38);
        QCOMPARE(view::virtualKeyCode(Qt::Key_Right), 39);
        QCOMPARE(view::virtualKeyCode(Qt::Key_Down), 40);
        QCOMPARE(view::virtualKeyCode(Qt::Key_A), 65);
        QCOMPARE(view::virtualKeyCode(Qt::Key_P), 80);
        QCOMPARE(view::virtualKeyCode(Qt::Key_S), 83);
        QCOMPARE(view::virtualKeyCode(Qt::Key_Z), 90);
        QCOMPARE(view::virtualKeyCode(Qt::Key_0), 48);
        QCOMPARE(view::virtualKeyCode(Qt::Key_9), 57);
        QCOMPARE(view::virtualKeyCode(Qt::Key_Space), 32);
        QCOMPARE(view::virtualKeyCode(Qt::Key_Return), 13);
        QCOMPARE(view::virtualKeyCode(Qt::Key_Escape), 27);
        QCOMPARE(view::virtualKeyCode(Qt::Key_F1), 112);
        QCOMPARE(view::virtualKeyCode(Qt::Key_F12), 123);
        QCOMPARE(view::virtualKeyCode(Qt::Key_Eacute), 0);
        QCOMPARE(view::virtualKeyCode(Qt::Key_unknown), 0);
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
};

int runKeyboardTests(int argc, char** argv)
{
    KeyboardTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace blokko::guitest

#include "keyboard_test.moc"
