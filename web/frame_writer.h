#pragma once
// A frame of both windows' scenes for the page, as one flat array of doubles that the page (web/page/)
// reads from the module's memory: for each window its state, its labels and controls when any of them
// changed, and the canvas calls that repaint what changed since the last frame.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/program_scene.h"
#include "web/frame_texts.h"
#include "web/paint_writer.h"

namespace blokko::web {

class FrameWriter {
public:
    explicit FrameWriter(const Program& program) : scene_(program) { }

    // Brings the scenes up to the program: call after every event. What changed is kept for the frame.
    void update();
    // Whether a frame would show anything new: a window shown or hidden, or a change to draw.
    bool dirty() const;
    // Writes the frame (all that changed since the last one, as of the last update()); valid until the
    // next call.
    const double* write();
    const std::array<scene::TimerState, 3>& timers() const { return scene_.timers(); }
    // The load of the game window the timers belong to; 0 while it is not loaded.
    std::uint64_t load() const { return scene_.form1().load; }
    // A text of the last frame, by the id the frame gave it.
    const char* text(int id) const { return texts_.get(id); }

    // The page's device pixels per CSS pixel: every geometry of the frame is in its device pixels. A new
    // ratio draws both windows whole.
    void setScale(double scale);
    // The next frame draws both windows whole, as after the page lost its canvases' pixels.
    void drawAfresh();
    // A hatch's tile at the page's ratio: its side, then the ink (0 to 255) of each of its pixels, row
    // by row; side 0 for no hatch. Valid until the next call.
    const std::int32_t* hatchTile(int style);

private:
    // What the scene's updates changed since the last frame.
    struct Pending {
        std::vector<scene::Rect> changed; // the areas to repaint
        // The page builds the window afresh: a new load, a new ratio, the window shown again, or a
        // button or the scroll bar changed or took another place.
        bool whole = true;
        bool controls = true; // a label, a button or the scroll bar changed: the page is sent them all
        bool shown = false; // as the last frame had it
        std::string caption; // as the last frame had it
    };
    static void take(const scene::Window& w, Pending& pending);
    void window(std::size_t index, const scene::Window& w); // 0 the difficulty window, 1 the game window
    void item(const scene::Item& i, int layer);

    scene::ProgramScene scene_;
    std::array<Pending, 2> pending_; // difficulty window, game window
    std::array<PaintWriter, 2> painters_;
    std::vector<double> out_;
    FrameTexts texts_;
    double scale_ = 1;
    std::vector<std::int32_t> tile_; // the latest hatch tile asked for
};

} // namespace blokko::web
