#pragma once
// A push button that draws its caption as the scene's lines, where the scene places them: "Game Over"
// in its large font stands on two lines.

#include <QPointF>
#include <QPushButton>
#include <vector>

#include "scene/scene.h"

namespace blokko::view {

class CaptionButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    // Takes the item's caption (also the button's accessible text), font and lines.
    void showCaption(const scene::Item& item);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    scene::DrawnFont font_;
    std::vector<scene::TextLine> lines_;
    QPointF origin_; // where the item's rectangle starts, from the widget's whole-pixel top left
};

} // namespace blokko::view
