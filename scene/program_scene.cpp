#include "scene/program_scene.h"

#include <algorithm>
#include <utility>

#include "engine/windows/form2.h"
#include "scene/controls_of.h"
#include "scene/items.h"
#include "scene/pixels.h"

namespace blokko::scene {

namespace {

constexpr auto TwipsPerPicturePixel = static_cast<float>(TwipsPerPixel);

// Graphical items first, then windowed ones, each by its drawing order.
bool drawnBefore(const Item& a, const Item& b)
{
    const bool aWindowed = !isGraphical(a.kind);
    const bool bWindowed = !isGraphical(b.kind);
    if (aWindowed != bWindowed)
        return bWindowed;
    if (a.z != b.z)
        return a.z < b.z;
    return a.id < b.id;
}

void sortAndIndex(Window& window, std::uint16_t count)
{
    std::sort(window.items.begin(), window.items.end(), drawnBefore);
    window.slot.assign(count, 0);
    for (std::size_t i = 0; i < window.items.size(); ++i)
        window.slot[window.items[i].id] = static_cast<std::uint16_t>(i);
}

void addChange(Window& window, const Item& before, const Item& now)
{
    if (!isGraphical(now.kind)) {
        window.windowedChanged = true;
        return;
    }
    if (before.visible)
        window.changed.push_back(before.rect);
    if (now.visible && !(before.visible && before.rect == now.rect))
        window.changed.push_back(now.rect);
}

// Takes over, into the window's items, every control stamped after `seen`; returns whether any item
// changed its place in the drawing order.
template <typename Controls>
bool takeChanges(Window& window, const Controls& controls, std::uint64_t seen)
{
    bool restack = false;
    forEachControl(controls, [&](std::uint16_t id, std::uint64_t revision, const auto&... control) {
        if (revision <= seen)
            return;
        Item fresh = itemOf(id, control...);
        Item& item = window.items[window.slot[id]];
        if (fresh == item)
            return;
        addChange(window, item, fresh);
        restack = restack || fresh.z != item.z;
        item = std::move(fresh);
    });
    return restack;
}

template <typename Controls>
void buildAll(Window& window, const Controls& controls)
{
    window.items.clear();
    forEachControl(controls, [&](std::uint16_t id, std::uint64_t, const auto&... control) {
        window.items.push_back(itemOf(id, control...));
    });
}

// A new frame starts with nothing changed.
void startFrame(Window& window)
{
    window.changed.clear();
    window.allChanged = false;
    window.windowedChanged = false;
}

// Every item is new: the whole window is to be drawn again.
void allNew(Window& window)
{
    window.allChanged = true;
    window.windowedChanged = true;
}

// The difficulty window's labels 2 to 5 name the scroll bar's positions, from the left: the bar's item
// carries the name of its value, for screen readers.
void nameScrollBarValue(Window& window)
{
    Item& bar = window.items[window.slot[form2::ScrollBar]];
    const int position = bar.value - bar.minimum;
    const auto label = static_cast<std::uint16_t>(form2::Label1 + 1 + position);
    bar.text = position >= 0 && label <= form2::Label5 ? window.items[window.slot[label]].text : std::string();
}

TimerState timerOf(const Timer& timer)
{
    return {timer.Interval, timer.Enabled};
}

} // namespace

const Item* Window::find(std::uint16_t id) const
{
    if (id >= slot.size() || items.empty())
        return nullptr;
    return &items[slot[id]];
}

ProgramScene::ProgramScene(const Program& program) : program_(program)
{
    update();
}

void ProgramScene::update()
{
    updateForm1();
    updateForm2();
}

void ProgramScene::updateForm1()
{
    Window& w = form1_;
    startFrame(w);
    const Form1& form1 = program_.form1;
    if (!form1.loaded()) {
        if (w.load != 0) {
            w = Window{};
            allNew(w);
        }
        timers_ = {};
        return;
    }
    const Form1Controls& c = form1.controls();
    w.caption = c.Caption;
    w.width = c.ScaleWidth();
    w.height = c.ScaleHeight();
    w.back = rgbOf(c.BackColor);
    w.shown = c.Visible;
    timers_ = {timerOf(c.Timer1), timerOf(c.Timer2), timerOf(c.Timer3)};

    if (w.load != form1.loadCount()) {
        // A new load: every control is new.
        w.load = form1.loadCount();
        buildAll(w, c);
        sortAndIndex(w, form1::Count);
        allNew(w);
    } else if (c.changes.now() != form1Seen_ && takeChanges(w, c, form1Seen_)) {
        sortAndIndex(w, form1::Count);
    }
    form1Seen_ = c.changes.now();
}

void ProgramScene::updateForm2()
{
    Window& w = form2_;
    startFrame(w);
    const Form2& form2 = program_.form2;
    const Form2Controls& c = form2.controls;
    w.shown = form2.Visible;
    if (!form2Built_) {
        form2Built_ = true;
        w.caption = c.Caption;
        w.width = c.ScaleWidth;
        w.height = c.ScaleHeight;
        w.back = rgbOf(c.BackColor);
        w.load = 1; // loaded for the whole program run
        w.picture = {static_cast<int>(GradientStrip.size()), 1, {GradientStrip.begin(), GradientStrip.end()}};
        buildAll(w, c);
        // The window's own picture, under every control.
        Item picture;
        picture.kind = Kind::Image;
        picture.id = form2::Picture;
        picture.visible = true;
        picture.stretch = false;
        picture.rect = {0, 0, static_cast<float>(GradientStrip.size()) * TwipsPerPicturePixel, TwipsPerPicturePixel};
        w.items.push_back(std::move(picture));
        sortAndIndex(w, form2::Count);
        allNew(w);
    } else if (c.changes.now() != form2Seen_ && takeChanges(w, c, form2Seen_)) {
        sortAndIndex(w, form2::Count);
    }
    nameScrollBarValue(w);
    form2Seen_ = c.changes.now();
}

} // namespace blokko::scene
