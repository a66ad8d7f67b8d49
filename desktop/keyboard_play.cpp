#include "desktop/keyboard_play.h"

#include <QEvent>
#include <QFocusFrame>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

namespace blokko::view {

KeyboardChoice::KeyboardChoice(QWidget& window, QScrollBar& bar, QPushButton& go)
    : QObject(&window), window_(window), bar_(bar), go_(go), mark_(new QFocusFrame(&window))
{
    bar_.setFocusPolicy(Qt::StrongFocus);
    // A scroll bar steps against the arrows by default (it scrolls a view); this one is a choice
    // from left to right.
    bar_.setInvertedControls(false);
    // The style draws no focus mark on a scroll bar; the toolkit's focus frame does, while it has the
    // focus (the button draws its own).
    mark_->hide();
    go_.setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(&bar_, &go_);
    window_.setFocusProxy(&bar_);
    window_.installEventFilter(this);
    bar_.installEventFilter(this);
    go_.installEventFilter(this);
}

bool KeyboardChoice::eventFilter(QObject* watched, QEvent* event)
{
    // Each time the window opens, the choice has the focus.
    if (watched == &window_ && event->type() == QEvent::Show) {
        bar_.setFocus(Qt::ActiveWindowFocusReason);
        return false;
    }
    if (watched == &bar_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        mark_->setWidget(event->type() == QEvent::FocusIn ? &bar_ : nullptr);
    }
    return false;
}

} // namespace blokko::view
