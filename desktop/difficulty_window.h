#pragma once
// The difficulty window: the gradient, the names of the four difficulties, the scroll bar and "GO!".
// It draws the difficulty window's scene and hands the player's choices on; the engine keeps the
// scroll bar's value.

#include <QWidget>

#include "scene/scene.h"

class QPushButton;
class QScrollBar;

namespace blokko::view {

class DifficultyWindow : public QWidget {
    Q_OBJECT
public:
    // Draws `scene`, which outlives the window.
    explicit DifficultyWindow(const scene::Window& scene, QWidget* parent = nullptr);

    // Brings the scroll bar and the drawing up to the scene's latest frame.
    void sync();

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
    // The scroll bar tells assistive technology the name of the difficulty it stands at.
    void describeChoice();

    const scene::Window& scene_;
    QScrollBar* scrollBar_ = nullptr;
    QPushButton* go_ = nullptr;
};

} // namespace blokko::view
