#pragma once
// A frame of both windows for the page, as one flat array of doubles (layout in blokko-page.js): for
// each window its state, its items back to front, and the areas changed since the last frame.

#include <cstdint>
#include <string>
#include <vector>

namespace blokko {
class Program;
}

namespace blokko::web {

class FrameWriter {
public:
    // Writes the frame and returns it; valid until the next call.
    const double* write(const Program& program);
    // A text of the last frame, by the id the frame gave it.
    const char* text(int id) const;
    // The event of the button that the last frame gave this id.
    void click(Program& program, int id) const;

    // The pictures items refer to: 0x00RRGGBB pixels in one row.
    static const std::uint32_t* picture(int id);
    static int pictureWidth(int id);

private:
    struct Item;
    void window(bool shown, double generation, double width, double height, std::uint32_t back,
        const std::string& caption, int picture, const std::vector<Item>& items);
    int addText(const std::string& text);

    std::vector<double> out_;
    std::vector<std::string> texts_;
};

} // namespace blokko::web
