#include "desktop/difficulty_window.h"

#include <QCloseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <vector>

#include "desktop/caption_button.h"
#include "desktop/cell_painter.h"
#include "desktop/fonts.h"
#include "desktop/twips.h"
#include "engine/program/program.h"

namespace blokko::view {

QImage gradientStripImage()
{
    QImage image(static_cast<int>(GradientStrip.size()), 1, QImage::Format_RGB32);
    for (std::size_t x = 0; x < GradientStrip.size(); ++x)
        image.setPixel(static_cast<int>(x), 0, 0xFF000000u | GradientStrip[x]);
    return image;
}

DifficultyWindow::DifficultyWindow(const Program& program, QWidget* parent)
    : QWidget(parent), program_(program), strip_(gradientStripImage())
{
    const Form2Controls& c = program.form2.controls;
    setWindowTitle(QString::fromUtf8(c.Caption));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(QSizeF(toPixels(c.ScaleWidth), toPixels(c.ScaleHeight)).toSize());

    for (const Label* label : {&c.Label1, &c.Label2, &c.Label3, &c.Label4, &c.Label5})
        cache_.addLabel(*label);

    auto* go = new CaptionButton(QString::fromUtf8(c.Command1.Caption), this);
    go->setFont(fontFor(c.Command1.font));
    go->setGeometry(widgetRect(c.Command1));
    go_ = go;

    scrollBar_ = new QScrollBar(Qt::Horizontal, this);
    scrollBar_->setRange(c.HScroll1.Min, c.HScroll1.Max);
    scrollBar_->setSingleStep(1);
    scrollBar_->setPageStep(1);
    scrollBar_->setValue(c.HScroll1.Value);
    scrollBar_->setGeometry(widgetRect(c.HScroll1));

    // The designed stacking: the windowed control with the larger z is in front.
    if (c.Command1.z > c.HScroll1.z)
        go_->raise();
    else
        scrollBar_->raise();

    connect(go_, &QPushButton::clicked, this, &DifficultyWindow::goClicked);
    connect(scrollBar_, &QScrollBar::valueChanged, this, &DifficultyWindow::scrolled);
}

void DifficultyWindow::refresh()
{
    const HScrollBar& bar = program_.form2.controls.HScroll1;
    if (scrollBar_->value() != bar.Value) {
        // The engine's value is the truth; putting it back is no new choice.
        const QSignalBlocker blocker(scrollBar_);
        scrollBar_->setValue(bar.Value);
    }
    for (const QRect& rect : cache_.collectChanges())
        update(rect);
}

void DifficultyWindow::paintEvent(QPaintEvent* event)
{
    const Form2Controls& c = program_.form2.controls;
    QPainter painter(this);
    painter.fillRect(event->rect(), toQColor(c.BackColor));
    // The window's own picture, at its natural size, under every control.
    painter.drawImage(QPointF(0, 0), strip_);

    // Images and labels share one drawing order, back to front.
    struct Graphic {
        std::uint32_t z;
        const Image* image;
        std::size_t label;
    };
    std::vector<Graphic> graphics;
    for (const Image& image : c.Image1)
        graphics.push_back({image.z, &image, 0});
    const auto& order = cache_.drawingOrder();
    for (const PaintCache::Entry& entry : order)
        graphics.push_back({cache_.labelRecord(entry.index).drawn.z, nullptr, entry.index});
    std::stable_sort(graphics.begin(), graphics.end(), [](const Graphic& a, const Graphic& b) { return a.z < b.z; });
    for (const Graphic& g : graphics) {
        if (g.image) {
            paintImage(painter, *g.image, strip_);
            continue;
        }
        const PaintCache::LabelRecord& record = cache_.labelRecord(g.label);
        if (record.label->Visible)
            paintLabel(painter, *record.label, record.text, record.font);
    }
}

void DifficultyWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit closeRequested();
}

} // namespace blokko::view
