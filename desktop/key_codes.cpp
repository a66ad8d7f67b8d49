#include "desktop/key_codes.h"

#include <QKeyEvent>
#include <QString>
#include <Qt>
#include <string>
#include <string_view>

#include "engine/program/game_keys.h"

#ifdef __linux__
#include <linux/input-event-codes.h>
#endif

namespace blokko::view {

namespace {

struct KeyName {
    int qt;
    std::string_view name;
};

// Qt's keys that type no symbol, by the names the engine knows places by.
constexpr KeyName Named[] = {
    {Qt::Key_Backspace, "Backspace"},
    {Qt::Key_Tab, "Tab"},
    {Qt::Key_Backtab, "Tab"},
    {Qt::Key_Return, "Enter"},
    {Qt::Key_Enter, "NumpadEnter"},
    {Qt::Key_Shift, "ShiftLeft"},
    {Qt::Key_Control, "ControlLeft"},
    {Qt::Key_Alt, "AltLeft"},
    {Qt::Key_Pause, "Pause"},
    {Qt::Key_CapsLock, "CapsLock"},
    {Qt::Key_Escape, "Escape"},
    {Qt::Key_Space, "Space"},
    {Qt::Key_PageUp, "PageUp"},
    {Qt::Key_PageDown, "PageDown"},
    {Qt::Key_End, "End"},
    {Qt::Key_Home, "Home"},
    {Qt::Key_Left, "ArrowLeft"},
    {Qt::Key_Up, "ArrowUp"},
    {Qt::Key_Right, "ArrowRight"},
    {Qt::Key_Down, "ArrowDown"},
    {Qt::Key_Insert, "Insert"},
    {Qt::Key_Delete, "Delete"},
};

#ifdef __linux__
// The keys of the US layout's letters, as the kernel numbers them. X11 and Wayland hand them on as key
// codes 8 higher.
constexpr unsigned KeyCodeOffset = 8;
constexpr unsigned LetterKeys[26] = {KEY_A, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I, KEY_J, KEY_K, KEY_L,
    KEY_M, KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R, KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z};
#endif

// The place of a letter key ("KeyA" to "KeyZ") from its native scan code; empty for any other key or
// where scan codes are not the window system's key codes.
std::string letterPlace(unsigned scanCode)
{
#ifdef __linux__
    for (int i = 0; i < 26; ++i)
        if (LetterKeys[i] + KeyCodeOffset == scanCode) {
            std::string place = "KeyA";
            place[3] = static_cast<char>('A' + i);
            return place;
        }
#else
    (void)scanCode;
#endif
    return {};
}

// The key's place: a letter key's from its scan code, any other key's from Qt's key.
std::string placeOf(const QKeyEvent& event)
{
    std::string place = letterPlace(event.nativeScanCode());
    if (!place.empty())
        return place;
    const int key = event.key();
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1).toStdString();
    for (const KeyName& named : Named)
        if (named.qt == key)
            return std::string(named.name);
    return {};
}

// The symbol a key press types: Qt's key for a character key (so a press without text, as tests and
// input methods send, still counts), else the text (for a symbol Qt has no key for).
std::string typedText(const QKeyEvent& event)
{
    const int key = event.key();
    if (key > 0 && key < Qt::Key_Escape) {
        const auto symbol = static_cast<char32_t>(key);
        return QString::fromUcs4(&symbol, 1).toStdString();
    }
    if (key == 0 || key == Qt::Key_unknown)
        return event.text().toStdString();
    return {};
}

} // namespace

int gameKeyCode(const QKeyEvent& event)
{
    const bool commandHeld = (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    return blokko::gameKeyCode(typedText(event), placeOf(event), commandHeld);
}

} // namespace blokko::view
