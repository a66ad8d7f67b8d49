#pragma once
// A frame of both windows' scenes for the page, as one flat array of doubles that the page (web/page/) reads
// from the module's memory: for each window its state, its items back to front, and the areas changed
// since the last frame.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/program_scene.h"

namespace blokko::web {

class FrameWriter {
public:
    explicit FrameWriter(const Program& program) : scene_(program) { }

    // Brings the scenes up to the program: call after every event. What changed is kept for the frame.
    void update();
    // Whether a frame would show anything new: a window shown or hidden, or a change to draw.
    bool dirty() const;
    // Writes the frame (all that changed since the last one, as of the last update(): the items the
    // scene reported changed and the areas it reported); valid until the next call.
    const double* write();
    const std::array<scene::TimerState, 3>& timers() const { return scene_.timers(); }
    // The load of the game window the timers belong to; 0 while it is not loaded.
    std::uint64_t load() const { return scene_.form1().load; }
    // A text of the last frame, by the id the frame gave it.
    const char* text(int id) const;

    // The page's device pixels per CSS pixel: every geometry of the frame is in its device pixels. A new
    // ratio sends both windows whole.
    void setScale(double scale);
    // An image item's pixels at the page's ratio, by window (0 the difficulty window, 1 the game window)
    // and id: their count, then x, y, width, height and 0x00RRGGBB colour of each; valid until the next
    // call.
    const std::int32_t* picture(int window, int id);
    // A hatch's tile at the page's ratio: its side, then the ink (0 to 255) of each of its pixels, row
    // by row; side 0 for no hatch. Valid until the next call.
    const std::int32_t* hatchTile(int style);

private:
    // What the scene's updates changed since the last frame.
    struct Pending {
        std::vector<scene::Rect> changed; // the areas to repaint
        std::vector<std::uint16_t> ids; // the items that changed or moved, each once
        std::vector<bool> listed; // by id: in `ids`
        bool whole = true; // the page builds the window afresh: a new load, or a button or the scroll bar changed
        bool all = true; // every item is sent: a new load or a new ratio
        bool shown = false; // as the last frame had it
    };
    static void take(const scene::Window& w, Pending& pending);
    void window(const scene::Window& w, Pending& pending);
    void item(const scene::Item& i, std::size_t index);
    int addText(const std::string& text);

    scene::ProgramScene scene_;
    std::array<Pending, 2> pending_; // difficulty window, game window
    std::vector<double> out_;
    std::vector<std::string> texts_;
    double scale_ = 1;
    std::vector<std::int32_t> lookup_; // the latest picture or hatch tile asked for
};

} // namespace blokko::web
