#include "desktop/difficulty_window.h"

#include <QCloseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

#include "desktop/accessibility.h"
#include "desktop/caption_button.h"
#include "desktop/cell_painter.h"
#include "desktop/keyboard_play.h"
#include "desktop/twips.h"
#include "scene/form2_ids.h"

namespace blokko::view {

DifficultyWindow::DifficultyWindow(const scene::Window& scene, QWidget* parent) : QWidget(parent), scene_(scene)
{
    setWindowTitle(QString::fromUtf8(scene.caption));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(clientSize(scene.width, scene.height));

    const scene::Item& go = *scene.find(scene::form2::GoButton);
    auto* button = new CaptionButton(this);
    button->setGeometry(widgetRect(go.rect));
    button->showCaption(go);
    go_ = button;

    const scene::Item& bar = *scene.find(scene::form2::ScrollBar);
    scrollBar_ = new QScrollBar(Qt::Horizontal, this);
    scrollBar_->setRange(bar.minimum, bar.maximum);
    scrollBar_->setSingleStep(bar.smallChange);
    scrollBar_->setPageStep(bar.largeChange);
    scrollBar_->setValue(bar.value);
    scrollBar_->setGeometry(widgetRect(bar.rect));

    // The designed stacking: the windowed item that comes later in the scene is in front.
    if (scene.slot[scene::form2::GoButton] > scene.slot[scene::form2::ScrollBar])
        go_->raise();
    else
        scrollBar_->raise();

    new KeyboardChoice(*this, *scrollBar_, *go_);
    connect(go_, &QPushButton::clicked, this, &DifficultyWindow::goClicked);
    connect(scrollBar_, &QScrollBar::valueChanged, this, &DifficultyWindow::scrolled);
    describeChoice();
}

// The scene names the scroll bar's position.
void DifficultyWindow::describeChoice()
{
    describeDifficulty(*scrollBar_, QString::fromStdString(scene_.find(scene::form2::ScrollBar)->text));
}

void DifficultyWindow::sync()
{
    const scene::Item& bar = *scene_.find(scene::form2::ScrollBar);
    if (scrollBar_->value() != bar.value) {
        // The engine's value is the truth; putting it back is no new choice.
        const QSignalBlocker blocker(scrollBar_);
        scrollBar_->setValue(bar.value);
    }
    describeChoice();
    for (const scene::Rect& changed : scene_.changed)
        update(repaintRect(changed));
}

void DifficultyWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    DevicePainter device(painter);
    device.fill(device.reach(event->rect()), scene_.back);
    for (const scene::Item& item : scene_.items)
        if (scene::isGraphical(item.kind) && item.visible)
            paintItem(painter, device, item, scene_.picture);
}

void DifficultyWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit closeRequested();
}

} // namespace blokko::view
