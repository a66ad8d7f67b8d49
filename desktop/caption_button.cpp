#include "desktop/caption_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace blokko::view {

namespace {
constexpr int CaptionMargin = 3;
}

void CaptionButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setFont(font());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(rect().adjusted(CaptionMargin, CaptionMargin, -CaptionMargin, -CaptionMargin),
        Qt::AlignCenter | Qt::TextWordWrap, caption);
}

} // namespace blokko::view
