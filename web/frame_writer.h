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
    // Writes the frame (all that changed since the last one, as of the last update()); valid until the
    // next call.
    const double* write();
    const std::array<scene::TimerState, 3>& timers() const { return scene_.timers(); }
    // The load of the game window the timers belong to; 0 while it is not loaded.
    std::uint64_t load() const { return scene_.form1().load; }
    // A text of the last frame, by the id the frame gave it.
    const char* text(int id) const;

    // The picture image items show: 0x00RRGGBB pixels in one row.
    static const std::uint32_t* picture();
    static int pictureWidth();

private:
    struct Pending {
        std::vector<scene::Rect> changed;
        bool whole = true;
        bool windowed = false; // a panel, button or scroll bar changed
        bool shown = false; // as the last frame had it
    };
    void window(const scene::Window& w, Pending& pending, std::vector<scene::Item>& sent);
    void item(const scene::Item& i, std::size_t index);
    int addText(const std::string& text);

    scene::ProgramScene scene_;
    std::array<Pending, 2> pending_; // difficulty window, game window
    std::array<std::vector<scene::Item>, 2> sent_; // the items as the page has them
    std::vector<double> out_;
    std::vector<std::string> texts_;
};

} // namespace blokko::web
