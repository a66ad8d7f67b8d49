#pragma once
// The difficulty window: the gradient, the names of the four difficulties, the scroll bar and "GO!".
// It draws Form2's controls and hands the player's choices on; the engine keeps the scroll bar's value.

#include <QImage>
#include <QWidget>
#include <array>

#include "desktop/paint_cache.h"

class QPushButton;
class QScrollBar;

namespace blokko {
class Program;
}

namespace blokko::view {

// The 19 x 1 gradient strip of the difficulty window as a picture.
QImage gradientStripImage();

class DifficultyWindow : public QWidget {
    Q_OBJECT
public:
    explicit DifficultyWindow(const Program& program, QWidget* parent = nullptr);

    // Brings the scroll bar and labels up to the engine after an event.
    void refresh();

    QScrollBar* scrollBar() const { return scrollBar_; }
    QPushButton* goButton() const { return go_; }

signals:
    void goClicked();
    void scrolled(int value);
    void closeRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    const Program& program_;
    QImage strip_;
    PaintCache cache_;
    QScrollBar* scrollBar_ = nullptr;
    QPushButton* go_ = nullptr;
};

} // namespace blokko::view
