#include "desktop/curtain_widget.h"

#include <QPaintEvent>
#include <QPainter>

#include "desktop/cell_painter.h"

namespace blokko::view {

CurtainWidget::CurtainWidget(const Panel& panel, const Cell& filler, QWidget* parent)
    : QWidget(parent), panel_(&panel), filler_(&filler)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void CurtainWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (!panel_) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    painter.fillRect(event->rect(), toQColor(panel_->BackColor));
    if (filler_->Visible)
        paintCell(painter, *filler_);
}

} // namespace blokko::view
