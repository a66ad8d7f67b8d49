#pragma once
// Playing without a mouse, the difficulty window's focus: the scroll bar has the focus when the window
// opens, Right steps right and Left left, Tab goes between the scroll bar and "GO!", Space presses the
// focused button. What Enter presses, in either window, the program decides (Program::keyPress).

#include <QObject>

class QFocusFrame;
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

} // namespace blokko::view
