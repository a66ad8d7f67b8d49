#include "desktop/curtain_widget.h"

#include <QPainter>

#include "desktop/device_painter.h"

namespace blokko::view {

CurtainWidget::CurtainWidget(QWidget* parent) : QWidget(parent)
{
    // The widget reaches a little past the panel (widgets stand on logical pixels, the panel on device
    // ones): what is behind shows there.
    setFocusPolicy(Qt::NoFocus);
}

void CurtainWidget::setPanel(const scene::Item& panel)
{
    if (panel == panel_)
        return;
    panel_ = panel;
    update();
}

void CurtainWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DevicePainter device(painter, pos());
    const scene::PanelPixels pixels = scene::panelPixels(panel_, device.ratio());
    device.fill(pixels.panel, panel_.back);
    if (!pixels.hasFiller)
        return;
    device.clip(pixels.panel);
    device.square(pixels.filler, panel_.border);
}

} // namespace blokko::view
