#include "desktop/paint_cache.h"

#include <algorithm>
#include <cstring>

#include "desktop/fonts.h"
#include "desktop/twips.h"

namespace blokko::view {

namespace {

bool sameFont(const Font& a, const Font& b)
{
    return std::strcmp(a.name, b.name) == 0 && a.points == b.points && a.bold == b.bold && a.italic == b.italic;
}

bool samePlace(const Control& a, const Control& b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height && a.z == b.z;
}

bool sameDrawing(const Cell& a, const Cell& b)
{
    return samePlace(a, b) && a.Visible == b.Visible && a.BackColor == b.BackColor && a.FillStyle == b.FillStyle &&
        a.BorderColor == b.BorderColor && a.BorderWidth == b.BorderWidth && a.opaque == b.opaque;
}

bool sameDrawing(const Label& a, const Label& b)
{
    return samePlace(a, b) && a.Visible == b.Visible && a.Caption == b.Caption && a.ForeColor == b.ForeColor &&
        a.BackColor == b.BackColor && a.transparent == b.transparent && a.wordWrap == b.wordWrap &&
        sameFont(a.font, b.font);
}

// Adds what the control covered before and covers now; nothing when it is hidden both times.
void addChange(QRegion& region, bool wasVisible, const QRectF& before, bool isVisible, const QRectF& now)
{
    QRect area;
    if (wasVisible)
        area = repaintRect(before);
    if (isVisible)
        area = area.united(repaintRect(now));
    if (!area.isEmpty())
        region += area;
}

} // namespace

QRect repaintRect(const QRectF& drawn)
{
    return drawn.toAlignedRect().adjusted(-1, -1, 1, 1);
}

void PaintCache::addCell(const Cell& cell)
{
    cells_.push_back({&cell, cell, pixelRect(cell)});
    order_.push_back({Kind::Cell, cells_.size() - 1});
    orderSorted_ = false;
}

void PaintCache::addLabel(const Label& label)
{
    labels_.push_back({&label, label, pixelRect(label), QString::fromStdString(label.Caption), fontFor(label.font)});
    order_.push_back({Kind::Label, labels_.size() - 1});
    orderSorted_ = false;
}

QRegion PaintCache::collectChanges()
{
    QRegion changed;
    bool reorder = false;
    for (CellRecord& r : cells_) {
        const Cell& now = *r.cell;
        if (sameDrawing(r.drawn, now))
            continue;
        const QRectF rect = pixelRect(now);
        addChange(changed, r.drawn.Visible, r.rect, now.Visible, rect);
        reorder = reorder || r.drawn.z != now.z;
        r.drawn = now;
        r.rect = rect;
    }
    for (LabelRecord& r : labels_) {
        const Label& now = *r.label;
        if (sameDrawing(r.drawn, now))
            continue;
        const QRectF rect = pixelRect(now);
        addChange(changed, r.drawn.Visible, r.rect, now.Visible, rect);
        reorder = reorder || r.drawn.z != now.z;
        if (r.drawn.Caption != now.Caption)
            r.text = QString::fromStdString(now.Caption);
        if (!sameFont(r.drawn.font, now.font))
            r.font = fontFor(now.font);
        r.drawn = now;
        r.rect = rect;
    }
    if (reorder)
        orderSorted_ = false;
    return changed;
}

std::uint32_t PaintCache::zOf(const Entry& entry) const
{
    return entry.kind == Kind::Cell ? cells_[entry.index].drawn.z : labels_[entry.index].drawn.z;
}

const std::vector<PaintCache::Entry>& PaintCache::drawingOrder() const
{
    if (!orderSorted_) {
        std::stable_sort(
            order_.begin(), order_.end(), [this](const Entry& a, const Entry& b) { return zOf(a) < zOf(b); });
        orderSorted_ = true;
    }
    return order_;
}

} // namespace blokko::view
