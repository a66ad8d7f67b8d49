#include "desktop/key_codes.h"

#include <QChar>
#include <QKeyEvent>
#include <Qt>

#ifdef __linux__
#include <linux/input-event-codes.h>
#endif

namespace blokko::view {

namespace {

struct KeyPair {
    int qt;
    int vk;
};

constexpr KeyPair Named[] = {
    {Qt::Key_Backspace, 8},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
};

#ifdef __linux__
// The keys of the US layout's letters, as the kernel numbers them. X11 and Wayland hand them on as key
// codes 8 higher.
constexpr unsigned KeyCodeOffset = 8;
constexpr unsigned LetterKeys[26] = {KEY_A, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I, KEY_J, KEY_K, KEY_L,
    KEY_M, KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R, KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z};
#endif

// A letter of another script than Latin: the layout writes Cyrillic, Greek, Hebrew, Arabic...
bool ofAnotherScript(char32_t symbol)
{
    if (symbol <= 0x7F || !QChar::isLetter(symbol))
        return false;
    const QChar::Script script = QChar::script(symbol);
    return script != QChar::Script_Latin && script != QChar::Script_Common && script != QChar::Script_Inherited;
}

// The symbol a key press types: Qt's key for a character key, else the text (for a symbol Qt has no key
// for).
char32_t typedSymbol(const QKeyEvent& event)
{
    const int key = event.key();
    if (key > 0 && key < Qt::Key_Escape)
        return static_cast<char32_t>(key);
    const QList<uint> text = event.text().toUcs4();
    return key == Qt::Key_unknown || key == 0 ? (text.isEmpty() ? 0 : text.first()) : 0;
}

} // namespace

int usLetterOfScanCode(unsigned scanCode)
{
#ifdef __linux__
    for (int i = 0; i < 26; ++i)
        if (LetterKeys[i] + KeyCodeOffset == scanCode)
            return Qt::Key_A + i;
#else
    (void)scanCode;
#endif
    return 0;
}

int virtualKeyCode(const QKeyEvent& event)
{
    const int typed = virtualKeyCode(event.key());
    if (typed != 0 || !ofAnotherScript(typedSymbol(event)))
        return typed;
    return virtualKeyCode(usLetterOfScanCode(event.nativeScanCode()));
}

int virtualKeyCode(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey; // 65 to 90, the same numbers
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return qtKey; // 48 to 57
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    for (const KeyPair& pair : Named)
        if (pair.qt == qtKey)
            return pair.vk;
    return 0;
}

} // namespace blokko::view
