#pragma once
// One half of the black curtain: a panel with its black filler cell at its top left. A child widget,
// so it stacks with the buttons above every cell and label.

#include <QWidget>

#include "scene/scene.h"

namespace blokko::view {

class CurtainWidget : public QWidget {
    Q_OBJECT
public:
    explicit CurtainWidget(QWidget* parent);

    // What to draw: the panel's item of the latest frame.
    void setPanel(const scene::Item& panel);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    scene::Item panel_;
};

} // namespace blokko::view
