#pragma once
// The game window: draws the cells and controls of one load of Form1 and hands the player's clicks on
// to whoever owns the program. It holds no game state; what it keeps is a record of what it drew.

#include <QColor>
#include <QRegion>
#include <QWidget>
#include <array>
#include <cstdint>

#include "desktop/paint_cache.h"

class QPushButton;

namespace blokko {
class Program;
struct Form1Controls;
} // namespace blokko

namespace blokko::view {

class CaptionButton;
class CurtainWidget;

class GameWindow : public QWidget {
    Q_OBJECT
public:
    // Built for the load of the game window that is current; the window must be loaded.
    explicit GameWindow(const Program& program, QWidget* parent = nullptr);
    ~GameWindow() override;

    // The load this window draws; a different load count means the controls it knew are gone.
    std::uint64_t loadCount() const { return loadCount_; }

    // Brings the drawing up to the engine after an event: repaints only the controls that changed and
    // moves, shows, hides and restacks the buttons and curtain halves.
    void refresh();

    // The controls of this load are gone: never read them again.
    void detach();
    bool detached() const { return detached_; }

    // What the latest refresh asked to repaint (empty when nothing changed).
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
    struct Windowed {
        QWidget* widget = nullptr;
        const Control* control = nullptr;
        const bool* visible = nullptr;
        bool coverWhole = false; // curtain halves cover every pixel they touch
        QRect geometry;
        bool shown = false;
        std::uint32_t z = 0;
    };

    const Form1Controls& controls() const;
    void syncWindowed(bool initial);

    const Program& program_;
    std::uint64_t loadCount_;
    bool detached_ = false;
    QColor backColor_{Qt::yellow};
    PaintCache cache_;
    QRegion lastRepaint_;
    CaptionButton* pause_ = nullptr;
    CaptionButton* gameOver_ = nullptr;
    CurtainWidget* curtainTop_ = nullptr;
    CurtainWidget* curtainBottom_ = nullptr;
    std::array<Windowed, 4> windowed_{};
};

} // namespace blokko::view
