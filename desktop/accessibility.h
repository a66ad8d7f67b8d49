#pragma once
// What screen readers see (AT-SPI on Linux): both windows as windows with their captions, and the
// texts the game window draws itself as static texts of their own, whose names follow the captions.

#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

class QScrollBar;

namespace blokko::view {

// Makes the program's own windows windows for assistive technology (a plain QWidget is only a
// "filler"). Call once the QApplication exists; calling again does nothing.
void installAccessibleWindows();

// The accessible stand-in of one drawn text: an empty widget over the text that draws nothing and
// takes no mouse or key, named with the caption. It stays below every real control.
class DrawnText : public QWidget {
    Q_OBJECT
public:
    explicit DrawnText(QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override { }
};

// The stand-ins of a window's drawn texts, fed after every event with what the window shows now (a
// copy: nothing here points into the game's controls, which an unload throws away).
class DrawnTexts {
public:
    struct Text {
        QString caption;
        QRect rect; // logical pixels of the window
        bool visible = true;
    };

    explicit DrawnTexts(QWidget* window) : window_(window) { }

    // One entry per drawn text, in the same order every time.
    void update(const std::vector<Text>& texts);

    const std::vector<DrawnText*>& standIns() const { return standIns_; }

private:
    QWidget* window_;
    std::vector<DrawnText*> standIns_;
};

// The scroll bar of the difficulty window for assistive technology: named "Difficulty", its
// description the name of the difficulty chosen now.
void describeDifficulty(QScrollBar& bar, const QString& chosen);

} // namespace blokko::view
