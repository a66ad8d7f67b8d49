#include "scene/caption_lines.h"

#include <algorithm>

namespace blokko::scene {

namespace {

constexpr bool isSpace(char c)
{
    return c == ' ';
}

// A line as the caption's characters from `begin` to `end`: the spaces before its first word give its
// indent (only a caption's or paragraph's first line has any).
void addLine(
    std::vector<TextLine>& lines, std::string_view paragraph, std::size_t begin, std::size_t end, const DrawnFont& font)
{
    std::size_t first = begin;
    while (first < end && isSpace(paragraph[first]))
        ++first;
    TextLine line;
    line.text = std::string(paragraph.substr(first, end - first));
    line.left = font.width(paragraph.substr(begin, first - begin));
    line.width = font.width(line.text);
    lines.push_back(std::move(line));
}

// Greedy breaking of one paragraph: each line takes words while the words (not the spaces after them)
// fit in `width`; a line takes its first word whatever its width.
void breakParagraph(std::vector<TextLine>& lines, std::string_view paragraph, const DrawnFont& font, float width)
{
    const auto wordEnd = [&](std::size_t at) {
        while (at < paragraph.size() && isSpace(paragraph[at]))
            ++at;
        while (at < paragraph.size() && !isSpace(paragraph[at]))
            ++at;
        return at;
    };
    std::size_t begin = 0;
    std::size_t end = wordEnd(0);
    while (true) {
        std::size_t next = end;
        while (next < paragraph.size() && isSpace(paragraph[next]))
            ++next;
        if (next >= paragraph.size()) {
            addLine(lines, paragraph, begin, end, font);
            return;
        }
        const std::size_t longer = wordEnd(next);
        if (font.width(paragraph.substr(begin, longer - begin)) <= width) {
            end = longer;
            continue;
        }
        addLine(lines, paragraph, begin, end, font);
        begin = next;
        end = longer;
    }
}

} // namespace

std::vector<TextLine> captionLines(
    std::string_view caption, const DrawnFont& font, float width, float height, CaptionPlacement placement)
{
    std::vector<TextLine> lines;
    if (caption.empty())
        return lines;
    const bool button = placement == CaptionPlacement::Button;
    const float margin = button ? ButtonMargin : 0;
    const float innerWidth = std::max(0.0f, width - 2 * margin);
    const float innerHeight = std::max(0.0f, height - 2 * margin);
    for (std::size_t begin = 0;;) {
        const std::size_t end = std::min(caption.find('\n', begin), caption.size());
        breakParagraph(lines, caption.substr(begin, end - begin), font, innerWidth);
        if (end == caption.size())
            break;
        begin = end + 1;
    }
    const float step = font.lineHeight();
    float top = 0;
    if (button) {
        const float block = static_cast<float>(lines.size() - 1) * step + font.ascent + font.descent;
        top = margin + (innerHeight - block) / 2;
    }
    for (std::size_t k = 0; k < lines.size(); ++k) {
        TextLine& line = lines[k];
        line.baseline = top + font.ascent + static_cast<float>(k) * step;
        if (button)
            line.left += margin + (innerWidth - line.left - line.width) / 2;
    }
    return lines;
}

} // namespace blokko::scene
