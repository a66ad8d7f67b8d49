#pragma once
// A push button whose caption wraps at word boundaries and is centred, as the game's buttons were
// designed: "Game Over" in its large font stands on two lines.

#include <QPushButton>

namespace blokko::view {

class CaptionButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace blokko::view
