#pragma once
// The game window: draws one load of the game window's scene and hands the player's clicks on to
// whoever owns the program. It keeps no game state: every frame comes from the scene.

#include <QRegion>
#include <QWidget>
#include <cstdint>

#include "desktop/accessibility.h"
#include "scene/scene.h"

class QPushButton;

namespace blokko::view {

class CaptionButton;
class CurtainWidget;

class GameWindow : public QWidget {
    Q_OBJECT
public:
    // Draws `scene`, which outlives the window, for the load the scene shows now.
    explicit GameWindow(const scene::Window& scene, QWidget* parent = nullptr);
    ~GameWindow() override;

    // The load this window was built for.
    std::uint64_t load() const { return load_; }

    // Brings the window up to the scene's latest frame: repaints what changed and places, shows and
    // restacks the buttons and curtain halves.
    void sync();

    // Stops drawing the scene: the window's load is over (it is about to go).
    void retire();

    // What the latest sync asked to repaint (empty when nothing changed).
    const QRegion& lastRepaint() const { return lastRepaint_; }

    QPushButton* pauseButton() const;
    QPushButton* gameOverButton() const;
    QWidget* curtainTop() const;
    QWidget* curtainBottom() const;

signals:
    void pauseClicked();
    void gameOverClicked();
    void closeRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void syncWindowed(bool all);
    void syncTexts();

    const scene::Window& scene_;
    std::uint64_t load_;
    bool retired_ = false;
    QRegion lastRepaint_;
    CaptionButton* pause_ = nullptr;
    CaptionButton* gameOver_ = nullptr;
    CurtainWidget* curtainTop_ = nullptr;
    CurtainWidget* curtainBottom_ = nullptr;
    DrawnTexts texts_{this};
};

} // namespace blokko::view
