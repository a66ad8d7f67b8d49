#include "desktop/curtain_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "desktop/cell_painter.h"
#include "desktop/twips.h"

namespace blokko::view {

CurtainWidget::CurtainWidget(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void CurtainWidget::setPanel(const scene::Item& panel)
{
    if (panel == panel_)
        return;
    panel_ = panel;
    update();
}

void CurtainWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), toQColor(panel_.back));
    if (!panel_.innerVisible)
        return;
    const QRectF inner = pixelRect(panel_.inner);
    paintSquare(painter, inner.topLeft(), std::min(inner.width(), inner.height()), panel_.innerBack, Hatch::None, true,
        panel_.border, panel_.borderWidth);
}

} // namespace blokko::view
