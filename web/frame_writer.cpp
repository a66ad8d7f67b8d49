#include "web/frame_writer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "engine/program/program.h"

namespace blokko::web {

namespace {

enum class Kind : int { Cell = 1, Label = 2, Panel = 3, Image = 4, Button = 5, ScrollBar = 6 };
enum Flag : int { Visible = 1, Enabled = 2, Opaque = 4, Stretch = 8, Bold = 16, Italic = 32 };

// Buttons by id, for clicks.
enum ButtonId : int { GoButton = 1001, PauseButton = 2001, GameOverButton = 2002 };

// The look-alike drawn for a designed font family.
const char* drawnFamily(const char* designed)
{
    static const std::pair<const char*, const char*> substitutes[] = {
        {"Garamond", "EB Garamond"},
        {"Lucida Sans Unicode", "DejaVu Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Lucida Handwriting", "Dancing Script"},
        {"Mistral", "Kaushan Script"},
        {"MS Sans Serif", "Liberation Sans"},
    };
    for (const auto& [name, drawn] : substitutes)
        if (std::strcmp(name, designed) == 0)
            return drawn;
    return designed;
}

} // namespace

struct FrameWriter::Item {
    Kind kind;
    int id;
    std::uint32_t z;
    bool windowed;
    double left, top, width, height;
    std::uint32_t back = 0;
    int hatch = 1;
    std::uint32_t border = 0;
    int borderWidth = 0;
    std::uint32_t fore = 0;
    std::string text;
    const Font* font = nullptr;
    int flags = 0;
    int value = 0, min = 0, max = 0;
};

const double* FrameWriter::write(const Program& program)
{
    out_.clear();
    texts_.clear();
    out_.push_back(2);

    // Difficulty window.
    {
        const Form2Controls& c = program.form2.controls;
        std::vector<Item> items;
        for (const Image& image : c.Image1)
            items.push_back({Kind::Image, 0, image.z, false, image.Left, image.Top, image.Width, image.Height, 0, 1,
                0, 0, 0, "", nullptr, Visible | (image.stretch ? Stretch : 0), 0, 0, 0});
        int n = 1100;
        for (const Label* l : {&c.Label1, &c.Label2, &c.Label3, &c.Label4, &c.Label5})
            items.push_back({Kind::Label, ++n, l->z, false, l->Left, l->Top, l->Width, l->Height, l->BackColor, 1, 0,
                0, l->ForeColor, l->Caption, &l->font, (l->Visible ? Visible : 0) | (l->transparent ? 0 : Opaque), 0, 0,
                0});
        const HScrollBar& bar = c.HScroll1;
        static const char* const names[] = {"", "Easy", "Medium", "Hard", "Intense"};
        items.push_back({Kind::ScrollBar, 1002, bar.z, true, bar.Left, bar.Top, bar.Width, bar.Height, 0, 1, 0, 0, 0,
            bar.Value >= 1 && bar.Value <= 4 ? names[bar.Value] : "", nullptr, Visible | Enabled, bar.Value, bar.Min,
            bar.Max});
        const Button& go = c.Command1;
        items.push_back({Kind::Button, GoButton, go.z, true, go.Left, go.Top, go.Width, go.Height, 0, 1, 0, 0, 0,
            go.Caption, &go.font, (go.Visible ? Visible : 0) | Enabled, 0, 0, 0});
        std::stable_sort(items.begin(), items.end(),
            [](const Item& a, const Item& b) { return a.windowed != b.windowed ? b.windowed : a.z < b.z; });
        window(program.form2.Visible, 0, c.ScaleWidth, c.ScaleHeight, c.BackColor, c.Caption, 0, items);
    }

    // Game window.
    const Form1& f = program.form1;
    if (!f.loaded()) {
        window(false, 0, 0, 0, 0, "", -1, {});
        return out_.data();
    }
    const Form1Controls& c = f.controls();
    std::vector<Item> items;
    const auto cell = [&](const Cell& k, int id, double dx = 0, double dy = 0, std::uint32_t z = 0, bool w = false) {
        items.push_back({Kind::Cell, id, w ? z : k.z, w, k.Left + dx, k.Top + dy, k.Width, k.Height, k.BackColor,
            k.FillStyle, k.BorderColor, k.BorderWidth, 0, "", nullptr, (k.Visible ? Visible : 0) | (k.opaque ? Opaque : 0),
            0, 0, 0});
    };
    int n = 2100;
    for (std::size_t k = 1; k < c.Shape1.size(); ++k)
        cell(c.Shape1[k], ++n);
    for (std::size_t k = 1; k < c.Shape2.size(); ++k)
        cell(c.Shape2[k], ++n);
    for (std::size_t k = 1; k < c.Shape3.size(); ++k)
        cell(c.Shape3[k], ++n);
    cell(c.backdrop, ++n);
    for (const Label* l : {&c.npiece, &c.scorelabel, &c.hscorelabel, &c.rowslabel, &c.piecelabel, &c.Level})
        items.push_back({Kind::Label, ++n, l->z, false, l->Left, l->Top, l->Width, l->Height, l->BackColor, 1, 0, 0,
            l->ForeColor, l->Caption, &l->font, (l->Visible ? Visible : 0) | (l->transparent ? 0 : Opaque), 0, 0, 0});
    for (const auto* pair : {&c.covertop, &c.coverbottom}) {
        const Panel& p = *pair;
        items.push_back({Kind::Panel, ++n, p.z, true, p.Left, p.Top, p.Width, p.Height, p.BackColor, 1, 0, 0, 0, "",
            nullptr, p.Visible ? Visible : 0, 0, 0, 0});
        Cell inner = &p == &c.covertop ? c.cot : c.cob;
        inner.Visible = inner.Visible && p.Visible;
        cell(inner, ++n, p.Left, p.Top, p.z, true);
    }
    for (const auto& [b, id] : {std::pair{&c.Pause, PauseButton}, std::pair{&c.Command1, GameOverButton}})
        items.push_back({Kind::Button, id, b->z, true, b->Left, b->Top, b->Width, b->Height, 0, 1, 0, 0, 0, b->Caption,
            &b->font, (b->Visible ? Visible : 0) | Enabled, 0, 0, 0});
    std::stable_sort(items.begin(), items.end(),
        [](const Item& a, const Item& b) { return a.windowed != b.windowed ? b.windowed : a.z < b.z; });
    window(c.Visible, static_cast<double>(f.loadCount()), c.ScaleWidth(), c.ScaleHeight(), c.BackColor, c.Caption, -1,
        items);
    return out_.data();
}

void FrameWriter::window(bool shown, double generation, double width, double height, std::uint32_t back,
    const std::string& caption, int picture, const std::vector<Item>& items)
{
    out_.insert(out_.end(),
        {shown ? 1.0 : 0.0, generation, width, height, static_cast<double>(back), static_cast<double>(addText(caption)),
            1.0, static_cast<double>(picture), static_cast<double>(items.size()), 0.0});
    for (const Item& i : items) {
        int flags = i.flags;
        if (i.font)
            flags |= (i.font->bold ? Bold : 0) | (i.font->italic ? Italic : 0);
        out_.insert(out_.end(),
            {static_cast<double>(i.kind), static_cast<double>(i.id), i.left, i.top, i.width, i.height,
                static_cast<double>(i.back), static_cast<double>(i.hatch), static_cast<double>(i.border),
                static_cast<double>(i.borderWidth), static_cast<double>(i.fore), static_cast<double>(addText(i.text)),
                static_cast<double>(addText(i.font ? drawnFamily(i.font->name) : "")), i.font ? i.font->points : 0.0,
                static_cast<double>(flags), static_cast<double>(i.value), static_cast<double>(i.min),
                static_cast<double>(i.max)});
    }
}

int FrameWriter::addText(const std::string& text)
{
    texts_.push_back(text);
    return static_cast<int>(texts_.size()) - 1;
}

const char* FrameWriter::text(int id) const
{
    if (id < 0 || static_cast<std::size_t>(id) >= texts_.size())
        return "";
    return texts_[static_cast<std::size_t>(id)].c_str();
}

void FrameWriter::click(Program& program, int id) const
{
    switch (id) {
    case GoButton:
        program.clickGo();
        break;
    case PauseButton:
        program.clickPause();
        break;
    case GameOverButton:
        program.clickGameOver();
        break;
    default:
        break;
    }
}

const std::uint32_t* FrameWriter::picture(int)
{
    return GradientStrip.data();
}

int FrameWriter::pictureWidth(int)
{
    return static_cast<int>(GradientStrip.size());
}

} // namespace blokko::web
