#include "desktop/caption_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "desktop/fonts.h"
#include "desktop/twips.h"

namespace blokko::view {

void CaptionButton::showCaption(const scene::Item& item)
{
    const QPointF origin = pixelRect(item.rect).topLeft() - QPointF(widgetRect(item.rect).topLeft());
    if (item.lines == lines_ && origin == origin_ && font_ == item.drawnFont)
        return;
    setText(QString::fromStdString(item.text));
    setFont(fontFor(item.drawnFont));
    font_ = item.drawnFont;
    lines_ = item.lines;
    origin_ = origin;
    update();
}

void CaptionButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setFont(font());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    for (const scene::TextLine& line : lines_)
        painter.drawText(origin_ + QPointF(line.left, line.baseline), QString::fromStdString(line.text));
}

} // namespace blokko::view
