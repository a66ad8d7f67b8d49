#pragma once
// Playing without a mouse. The difficulty window: the scroll bar has the focus when the window opens,
// Right steps right and Left left, Tab goes between the scroll bar and "GO!", Space presses the focused
// button and Enter presses "GO!" wherever the focus is. The game window: Enter or Space presses the
// frontmost shown button, as a click does.

#include <QObject>

class QFocusFrame;
class QKeyEvent;
class QPushButton;
class QScrollBar;
class QWidget;

namespace blokko::view {

// Sets the difficulty window's controls up for the keyboard; `window` is their window.
class KeyboardChoice : public QObject {
    Q_OBJECT
public:
    KeyboardChoice(QWidget& window, QScrollBar& bar, QPushButton& go);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    QScrollBar& bar_;
    QPushButton& go_;
    QFocusFrame* mark_;
};

// Whether a key press in the game window presses its frontmost shown button: Enter or Space, once per
// press (a held key repeats nothing: it would go on to press the next window's button).
bool pressesFrontButton(const QKeyEvent& event);

} // namespace blokko::view
