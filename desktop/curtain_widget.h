#pragma once
// One half of the black curtain: a panel with its black filler cell at its top left. A child widget,
// so it stacks with the buttons above every cell and label.

#include <QWidget>

#include "engine/rules/controls.h"

namespace blokko::view {

class CurtainWidget : public QWidget {
    Q_OBJECT
public:
    // The panel and filler belong to the engine's controls of one load of the game window.
    CurtainWidget(const Panel& panel, const Cell& filler, QWidget* parent);

    // The window's controls are gone (the window was unloaded): draw nothing from them any more.
    void detach() { panel_ = nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Panel* panel_;
    const Cell* filler_;
};

} // namespace blokko::view
