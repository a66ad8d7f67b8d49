#include "scene/program_scene.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "engine/windows/form2.h"
#include "scene/controls_of.h"
#include "scene/items.h"
#include "scene/pixels.h"
#include "scene/scene_check.h"

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

// Puts the items in drawing order, notes where each id stands and which items took another place.
void sortAndIndex(Window& window, std::uint16_t count)
{
    std::sort(window.items.begin(), window.items.end(), drawnBefore);
    const std::vector<std::uint16_t> before = std::move(window.slot);
    window.slot.assign(count, 0);
    for (std::size_t i = 0; i < window.items.size(); ++i) {
        const std::uint16_t id = window.items[i].id;
        window.slot[id] = static_cast<std::uint16_t>(i);
        if (before.size() == count && before[id] != i)
            window.movedIds.push_back(id);
    }
}

// Notes a changed item: its id, and the areas where it was and is drawn, on the window's own surface
// or among the windowed controls.
void addChange(Window& window, const Item& before, const Item& now)
{
    window.changedIds.push_back(now.id);
    const bool graphical = isGraphical(now.kind);
    window.windowedChanged = window.windowedChanged || !graphical;
    std::vector<Rect>& areas = graphical ? window.changed : window.changedWindowed;
    if (before.visible)
        areas.push_back(before.rect);
    if (now.visible && !(before.visible && before.rect == now.rect))
        areas.push_back(now.rect);
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
    window.changedIds.clear();
    window.changed.clear();
    window.changedWindowed.clear();
    window.movedIds.clear();
    window.allChanged = false;
    window.windowedChanged = false;
}

// Every item is new: the whole window is to be drawn again.
void allNew(Window& window)
{
    window.allChanged = true;
    window.windowedChanged = true;
    window.movedIds.clear();
}

// The difficulty window's labels 2 to 5 name the scroll bar's positions, from the left: the bar's item
// carries the name of its value, for screen readers.
std::string valueName(const Window& window)
{
    const Item& bar = window.items[window.slot[form2::ScrollBar]];
    const int position = bar.value - bar.minimum;
    const auto label = static_cast<std::uint16_t>(form2::Label1 + 1 + position);
    return position >= 0 && label <= form2::Label5 ? window.items[window.slot[label]].text : std::string();
}

// A new name is a change of the bar like any other.
void nameScrollBarValue(Window& window)
{
    Item& bar = window.items[window.slot[form2::ScrollBar]];
    std::string name = valueName(window);
    if (name == bar.text)
        return;
    // Only the name changes, not where the bar stands, so the bar is its own before and after.
    if (!window.allChanged &&
        std::find(window.changedIds.begin(), window.changedIds.end(), bar.id) == window.changedIds.end())
        addChange(window, bar, bar);
    bar.text = std::move(name);
}

// The window's own fields.
void takeHeader(Window& w, const Form1& form1)
{
    const Form1Controls& c = form1.controls();
    w.caption = c.Caption;
    w.width = c.ScaleWidth();
    w.height = c.ScaleHeight();
    w.back = rgbOf(c.BackColor);
    w.shown = c.Visible;
}

void takeHeader(Window& w, const Form2& form2)
{
    const Form2Controls& c = form2.controls;
    w.caption = c.Caption;
    w.width = c.ScaleWidth;
    w.height = c.ScaleHeight;
    w.back = rgbOf(c.BackColor);
    w.shown = form2.Visible;
    w.load = 1; // loaded for the whole program run
}

// What differs between a window's items and its controls as they are now, and whether the items stand
// in drawing order; empty when nothing. `ownItems` counts the items of no control (the picture).
template <typename Controls>
std::string itemsDifference(const char* window, const Window& w, const Controls& controls, std::size_t ownItems)
{
    std::string difference;
    std::size_t count = ownItems;
    forEachControl(controls, [&](std::uint16_t id, std::uint64_t, const auto&... control) {
        ++count;
        if (!difference.empty())
            return;
        const Item* kept = w.find(id);
        if (!kept) {
            difference = std::string(window) + ": no item for " + controlName(window, id);
            return;
        }
        Item fresh = itemOf(id, control...);
        if (fresh.kind == Kind::ScrollBar)
            fresh.text = kept->text; // the name of its value, checked apart
        if (!(*kept == fresh))
            difference = itemDifference(window, *kept, fresh);
    });
    if (difference.empty() && count != w.items.size())
        difference = std::string(window) + ": " + std::to_string(w.items.size()) + " items where the engine has " +
            std::to_string(count);
    for (std::size_t i = 0; i < w.items.size() && difference.empty(); ++i) {
        if (w.slot[w.items[i].id] != i)
            difference = std::string(window) + ": the index of " + controlName(window, w.items[i].id);
        else if (i > 0 && drawnBefore(w.items[i], w.items[i - 1]))
            difference = std::string(window) + ": " + controlName(window, w.items[i].id) + " drawn after " +
                controlName(window, w.items[i - 1].id) + ", against the drawing order";
    }
    return difference;
}

TimerState timerOf(const Timer& timer)
{
    return {timer.Interval, timer.Enabled, 0};
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
#ifdef BLOKKO_CHECK_SCENE
    const std::string difference = differenceFromFresh();
    if (!difference.empty()) {
        std::fprintf(stderr, "blokko: the scene lost a change (a write without edit()?): %s\n", difference.c_str());
        std::abort();
    }
#endif
}

// Compares each item with the control it shows as the engine has it now: what a scene built afresh
// would have, without building one (this runs after every event in checked builds).
std::string ProgramScene::differenceFromFresh() const
{
    std::string difference;
    const Form1& form1 = program_.form1;
    std::array<TimerState, 3> timers{};
    if (!form1.loaded()) {
        if (form1_.load != 0 || !form1_.items.empty())
            difference = "game window: items kept after the window was unloaded";
    } else {
        const Form1Controls& c = form1.controls();
        Window header;
        takeHeader(header, form1);
        header.load = form1.loadCount();
        difference = headerDifference("game window", form1_, header);
        if (difference.empty())
            difference = itemsDifference("game window", form1_, c, 0);
        timers = {timerOf(c.Timer1), timerOf(c.Timer2), timerOf(c.Timer3)};
    }
    if (difference.empty()) {
        Window header;
        takeHeader(header, program_.form2);
        difference = headerDifference("difficulty window", form2_, header);
    }
    if (difference.empty())
        difference = itemsDifference("difficulty window", form2_, program_.form2.controls, 1);
    if (difference.empty()) {
        const std::string& name = form2_.items[form2_.slot[form2::ScrollBar]].text;
        if (name != valueName(form2_))
            difference =
                "difficulty window: HScroll1 named \"" + name + "\" where its labels say \"" + valueName(form2_) + "\"";
    }
    for (std::size_t t = 0; t < timers_.size() && difference.empty(); ++t) {
        const TimerState& kept = timers_[t];
        const TimerState& now = timers[t];
        if (kept.interval != now.interval || kept.enabled != now.enabled)
            difference = "game window: Timer" + std::to_string(t + 1) + " interval " + std::to_string(kept.interval) +
                (kept.enabled ? " enabled" : " disabled") + ", the engine has " + std::to_string(now.interval) +
                (now.enabled ? " enabled" : " disabled");
    }
    return difference;
}

void ProgramScene::updateTimers(const std::array<TimerState, 3>& now, bool newLoad)
{
    for (std::size_t t = 0; t < timers_.size(); ++t) {
        TimerState& timer = timers_[t];
        if (!newLoad && timer.interval == now[t].interval && timer.enabled == now[t].enabled)
            continue;
        timer.interval = now[t].interval;
        timer.enabled = now[t].enabled;
        ++timer.generation;
    }
}

void ProgramScene::updateForm1()
{
    Window& w = form1_;
    startFrame(w);
    const Form1& form1 = program_.form1;
    if (!form1.loaded()) {
        const bool unloaded = w.load != 0;
        if (unloaded) {
            w = Window{};
            allNew(w);
        }
        updateTimers({}, unloaded);
        return;
    }
    const Form1Controls& c = form1.controls();
    takeHeader(w, form1);
    const bool newLoad = w.load != form1.loadCount();
    updateTimers({timerOf(c.Timer1), timerOf(c.Timer2), timerOf(c.Timer3)}, newLoad);

    if (newLoad) {
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
    takeHeader(w, form2);
    if (!form2Built_) {
        form2Built_ = true;
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
