#include "desktop/game_window.h"

#include <QCloseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "desktop/caption_button.h"
#include "desktop/cell_painter.h"
#include "desktop/curtain_widget.h"
#include "desktop/fonts.h"
#include "desktop/twips.h"
#include "engine/program/program.h"

namespace blokko::view {

namespace {

CaptionButton* makeButton(const Button& button, QWidget* parent)
{
    auto* widget = new CaptionButton(QString::fromUtf8(button.Caption), parent);
    widget->setFont(fontFor(button.font));
    // The game window's keys belong to the game: no button may take the arrows or the space bar.
    widget->setFocusPolicy(Qt::NoFocus);
    widget->setAutoDefault(false);
    return widget;
}

QSize clientSize(const Form1Controls& c)
{
    return QSizeF(toPixels(c.ScaleWidth()), toPixels(c.ScaleHeight())).toSize();
}

} // namespace

GameWindow::GameWindow(const Program& program, QWidget* parent)
    : QWidget(parent), program_(program), loadCount_(program.form1.loadCount())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    if (!program.form1.loaded()) {
        detached_ = true;
        return;
    }
    setWindowTitle(QString::fromUtf8(program.form1.controls().Caption));
    backColor_ = toQColor(program.form1.controls().BackColor);
    const Form1Controls& c = controls();
    setFixedSize(clientSize(c));

    for (const Cell& cell : c.Shape1)
        cache_.addCell(cell);
    for (const Cell& cell : c.Shape2)
        cache_.addCell(cell);
    for (const Cell& cell : c.Shape3)
        cache_.addCell(cell);
    cache_.addCell(c.backdrop);
    for (const Label* label : {&c.npiece, &c.scorelabel, &c.hscorelabel, &c.rowslabel, &c.piecelabel, &c.Level})
        cache_.addLabel(*label);

    pause_ = makeButton(c.Pause, this);
    gameOver_ = makeButton(c.Command1, this);
    curtainTop_ = new CurtainWidget(c.covertop, c.cot, this);
    curtainBottom_ = new CurtainWidget(c.coverbottom, c.cob, this);
    connect(pause_, &QPushButton::clicked, this, &GameWindow::pauseClicked);
    connect(gameOver_, &QPushButton::clicked, this, &GameWindow::gameOverClicked);

    windowed_[0] = {pause_, &c.Pause, &c.Pause.Visible, false, {}, false, 0};
    windowed_[1] = {gameOver_, &c.Command1, &c.Command1.Visible, false, {}, false, 0};
    windowed_[2] = {curtainTop_, &c.covertop, &c.covertop.Visible, true, {}, false, 0};
    windowed_[3] = {curtainBottom_, &c.coverbottom, &c.coverbottom.Visible, true, {}, false, 0};
    syncWindowed(true);
}

GameWindow::~GameWindow() = default;

const Form1Controls& GameWindow::controls() const
{
    return program_.form1.controls();
}

void GameWindow::detach()
{
    detached_ = true;
    if (curtainTop_)
        curtainTop_->detach();
    if (curtainBottom_)
        curtainBottom_->detach();
}

QPushButton* GameWindow::pauseButton() const
{
    return pause_;
}

QPushButton* GameWindow::gameOverButton() const
{
    return gameOver_;
}

QWidget* GameWindow::curtainTop() const
{
    return curtainTop_;
}

QWidget* GameWindow::curtainBottom() const
{
    return curtainBottom_;
}

void GameWindow::refresh()
{
    lastRepaint_ = QRegion();
    if (detached_ || !program_.form1.loaded() || program_.form1.loadCount() != loadCount_)
        return;
    const QSize size = clientSize(controls());
    if (size != this->size())
        setFixedSize(size);
    lastRepaint_ = cache_.collectChanges();
    for (const QRect& rect : lastRepaint_)
        update(rect);
    syncWindowed(false);
}

void GameWindow::syncWindowed(bool initial)
{
    bool restack = initial;
    for (Windowed& w : windowed_) {
        const QRect geometry = w.coverWhole ? pixelRect(*w.control).toAlignedRect() : widgetRect(*w.control);
        if (initial || geometry != w.geometry) {
            w.geometry = geometry;
            w.widget->setGeometry(geometry);
        }
        if (initial || *w.visible != w.shown) {
            w.shown = *w.visible;
            w.widget->setVisible(w.shown);
        }
        if (w.control->z != w.z) {
            w.z = w.control->z;
            restack = true;
        }
    }
    if (!restack)
        return;
    std::array<Windowed*, 4> order{};
    std::transform(windowed_.begin(), windowed_.end(), order.begin(), [](Windowed& w) { return &w; });
    std::stable_sort(order.begin(), order.end(), [](const Windowed* a, const Windowed* b) { return a->z < b->z; });
    for (Windowed* w : order)
        w->widget->raise();
}

void GameWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, backColor_);
    if (detached_)
        return;
    for (const PaintCache::Entry& entry : cache_.drawingOrder()) {
        if (entry.kind == PaintCache::Kind::Cell) {
            const PaintCache::CellRecord& record = cache_.cellRecord(entry.index);
            if (record.cell->Visible && repaintRect(record.rect).intersects(exposed))
                paintCell(painter, *record.cell);
        } else {
            const PaintCache::LabelRecord& record = cache_.labelRecord(entry.index);
            if (record.label->Visible && repaintRect(record.rect).intersects(exposed))
                paintLabel(painter, *record.label, record.text, record.font);
        }
    }
}

void GameWindow::closeEvent(QCloseEvent* event)
{
    // Whoever owns the program decides what closing means.
    event->ignore();
    emit closeRequested();
}

} // namespace blokko::view
