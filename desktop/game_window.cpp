#include "desktop/game_window.h"

#include <QCloseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <array>

#include "desktop/caption_button.h"
#include "desktop/cell_painter.h"
#include "desktop/curtain_widget.h"
#include "desktop/twips.h"
#include "scene/form1_ids.h"

namespace blokko::view {

namespace {

CaptionButton* makeButton(QWidget* parent)
{
    auto* widget = new CaptionButton(QString(), parent);
    // The game window's keys belong to the game: no button may take the arrows or the space bar.
    widget->setFocusPolicy(Qt::NoFocus);
    widget->setAutoDefault(false);
    return widget;
}

QSize clientSize(const scene::Window& scene)
{
    return view::clientSize(scene.width, scene.height);
}

bool contains(const scene::PixelRect& outer, const scene::PixelRect& inner)
{
    return outer.x <= inner.x && outer.y <= inner.y && inner.x + inner.w <= outer.x + outer.w &&
        inner.y + inner.h <= outer.y + outer.h;
}

bool intersects(const scene::PixelRect& a, const scene::PixelRect& b)
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

} // namespace

GameWindow::GameWindow(const scene::Window& scene, QWidget* parent) : QWidget(parent), scene_(scene), load_(scene.load)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setWindowTitle(QString::fromUtf8(scene.caption));
    setFixedSize(clientSize(scene));

    pause_ = makeButton(this);
    gameOver_ = makeButton(this);
    curtainTop_ = new CurtainWidget(this);
    curtainBottom_ = new CurtainWidget(this);
    connect(pause_, &QPushButton::clicked, this, &GameWindow::pauseClicked);
    connect(gameOver_, &QPushButton::clicked, this, &GameWindow::gameOverClicked);
    syncWindowed(true);
    syncTexts();
}

GameWindow::~GameWindow() = default;

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

void GameWindow::retire()
{
    retired_ = true;
}

void GameWindow::sync()
{
    lastRepaint_ = QRegion();
    if (retired_ || scene_.load != load_)
        return;
    const QSize size = clientSize(scene_);
    if (size != this->size())
        setFixedSize(size);
    if (scene_.allChanged) {
        lastRepaint_ = rect();
    } else {
        for (const scene::Rect& changed : scene_.changed)
            lastRepaint_ += repaintRect(changed);
    }
    for (const QRect& area : lastRepaint_)
        update(area);
    if (scene_.windowedChanged)
        syncWindowed(scene_.allChanged);
    if (!lastRepaint_.isEmpty())
        syncTexts();
}

// The side panel's texts for screen readers, from the scene like the drawing.
void GameWindow::syncTexts()
{
    using namespace scene::form1;
    std::vector<DrawnTexts::Text> texts;
    for (std::uint16_t id : {NextPieceLabel, ScoreLabel, HiScoreLabel, RowsLabel, BlocksLabel, LevelLabel})
        if (const scene::Item* item = scene_.find(id))
            texts.push_back({QString::fromStdString(item->text), widgetRect(item->rect), item->visible});
    texts_.update(texts);
}

// Every windowed control, or those the scene says changed.
void GameWindow::syncWindowed(bool all)
{
    struct Windowed {
        std::uint16_t id;
        QWidget* widget;
    };
    const std::array<Windowed, 4> controls{{
        {scene::form1::PauseButton, pause_},
        {scene::form1::GameOverButton, gameOver_},
        {scene::form1::CurtainTop, curtainTop_},
        {scene::form1::CurtainBottom, curtainBottom_},
    }};
    const auto& changed = scene_.changedIds;
    for (const Windowed& control : controls) {
        const scene::Item* item = scene_.find(control.id);
        if (!item || (!all && std::find(changed.begin(), changed.end(), control.id) == changed.end()))
            continue;
        // A curtain half's widget holds every device pixel of its panel; buttons stand on whole pixels.
        const bool curtain = item->kind == scene::Kind::Panel;
        const QRect geometry = curtain ? repaintRect(item->rect) : widgetRect(item->rect);
        if (control.widget->geometry() != geometry)
            control.widget->setGeometry(geometry);
        if (curtain) {
            static_cast<CurtainWidget*>(control.widget)->setPanel(*item);
        } else {
            static_cast<CaptionButton*>(control.widget)->showCaption(*item);
        }
        if (control.widget->isVisibleTo(this) != item->visible)
            control.widget->setVisible(item->visible);
    }
    // The scene's items stand in drawing order: raising each windowed one in turn stacks them so.
    if (!all && !scene_.restacked())
        return;
    for (const scene::Item& item : scene_.items)
        for (const Windowed& control : controls)
            if (control.id == item.id)
                control.widget->raise();
}

void GameWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    DevicePainter device(painter);
    const double ratio = device.ratio();
    const scene::PixelRect exposed = device.reach(event->rect());
    device.fill(exposed, scene_.back);
    if (retired_ || scene_.load != load_)
        return;
    // What a curtain half covers whole is not drawn, only to be hidden (the curtain slides five times a
    // second).
    std::vector<scene::PixelRect> covers;
    for (const scene::Item& item : scene_.items)
        if (item.kind == scene::Kind::Panel && item.visible)
            covers.push_back(scene::toDevice(item.rect, ratio));
    for (const scene::Item& item : scene_.items) {
        if (!scene::isGraphical(item.kind))
            break; // the windowed items follow: they are widgets
        if (!item.visible)
            continue;
        const scene::PixelRect drawn = scene::toDevice(item.rect, ratio);
        if (!intersects(drawn, exposed) ||
            std::any_of(covers.begin(), covers.end(), [&](const scene::PixelRect& c) { return contains(c, drawn); }))
            continue;
        paintItem(painter, device, item, scene_.picture);
    }
}

void GameWindow::closeEvent(QCloseEvent* event)
{
    // Whoever owns the program decides what closing means.
    event->ignore();
    emit closeRequested();
}

} // namespace blokko::view
