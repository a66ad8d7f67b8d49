#include "scene/items.h"

#include <cstring>

namespace blokko::scene {

namespace {

constexpr float TwipsPerLogicalPixel = 15;

// The caption's font and lines, in the item's rectangle.
void setCaption(Item& item, std::string_view caption, const Font& font, CaptionPlacement placement)
{
    item.text = std::string(caption);
    item.font = font;
    item.drawnFont = drawnFont(font);
    item.lines = captionLines(item.text, item.drawnFont, item.rect.width / TwipsPerLogicalPixel,
        item.rect.height / TwipsPerLogicalPixel, placement);
}

Rect rectOf(const Control& control)
{
    return {control.Left, control.Top, control.Width, control.Height};
}

Item placed(Kind kind, std::uint16_t id, const Control& control)
{
    Item item;
    item.kind = kind;
    item.id = id;
    item.z = control.z;
    item.rect = rectOf(control);
    return item;
}

bool sameFont(const Font& a, const Font& b)
{
    return std::strcmp(a.name, b.name) == 0 && a.points == b.points && a.bold == b.bold && a.italic == b.italic;
}

} // namespace

// The drawn font and the lines follow from the text, the font and the rectangle.
bool Item::operator==(const Item& o) const
{
    return kind == o.kind && id == o.id && z == o.z && rect == o.rect && visible == o.visible && enabled == o.enabled &&
        back == o.back && border == o.border && borderWidth == o.borderWidth && hatch == o.hatch &&
        opaque == o.opaque && inner == o.inner && innerVisible == o.innerVisible && innerBack == o.innerBack &&
        text == o.text && fore == o.fore && sameFont(font, o.font) && wordWrap == o.wordWrap && minimum == o.minimum &&
        maximum == o.maximum && value == o.value && smallChange == o.smallChange && largeChange == o.largeChange &&
        stretch == o.stretch;
}

Hatch hatchOf(int fillStyle)
{
    if (fillStyle < static_cast<int>(Hatch::Solid) || fillStyle > static_cast<int>(Hatch::DiagonalCross))
        return Hatch::None;
    return static_cast<Hatch>(fillStyle);
}

Item itemOf(std::uint16_t id, const Cell& cell)
{
    Item item = placed(Kind::Cell, id, cell);
    item.visible = cell.Visible;
    item.back = rgbOf(cell.BackColor);
    item.border = rgbOf(cell.BorderColor);
    item.borderWidth = cell.BorderWidth;
    item.hatch = hatchOf(cell.FillStyle);
    item.opaque = cell.opaque;
    return item;
}

Item itemOf(std::uint16_t id, const Label& label)
{
    Item item = placed(Kind::Label, id, label);
    item.visible = label.Visible;
    item.back = rgbOf(label.BackColor);
    item.opaque = !label.transparent;
    item.fore = rgbOf(label.ForeColor);
    setCaption(item, label.Caption, label.font, CaptionPlacement::Label);
    item.wordWrap = label.wordWrap;
    return item;
}

Item itemOf(std::uint16_t id, const Image& image)
{
    Item item = placed(Kind::Image, id, image);
    item.visible = true;
    item.stretch = image.stretch;
    return item;
}

Item itemOf(std::uint16_t id, const Button& button)
{
    Item item = placed(Kind::Button, id, button);
    item.visible = button.Visible;
    setCaption(item, button.Caption, button.font, CaptionPlacement::Button);
    return item;
}

Item itemOf(std::uint16_t id, const Panel& panel, const Cell& filler)
{
    Item item = placed(Kind::Panel, id, panel);
    item.visible = panel.Visible;
    item.back = rgbOf(panel.BackColor);
    item.fore = rgbOf(panel.ForeColor);
    item.text = panel.Caption;
    item.inner = rectOf(filler);
    item.innerVisible = filler.Visible;
    item.innerBack = rgbOf(filler.BackColor);
    item.border = rgbOf(filler.BorderColor);
    item.borderWidth = filler.BorderWidth;
    return item;
}

Item itemOf(std::uint16_t id, const HScrollBar& bar)
{
    Item item = placed(Kind::ScrollBar, id, bar);
    item.visible = true;
    item.minimum = bar.Min;
    item.maximum = bar.Max;
    item.value = bar.Value;
    item.smallChange = bar.SmallChange;
    item.largeChange = bar.LargeChange;
    return item;
}

} // namespace blokko::scene
