#include "window/paint_cache.h"

#include <algorithm>
#include <cstring>

#include "window/fonts.h"
#include "window/twips.h"

namespace blokko::view {

namespace {

bool sameFont(const Font& a, const Font& b)
{
    return std::strcmp(a.name, b.name) == 0 && a.points == b.points && a.bold == b.bold && a.italic == b.italic;
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
    CellRecord record;
    record.cell = &cell;
    record.rect = pixelRect(cell);
    record.visible = cell.Visible;
    record.z = cell.z;
    record.back = cell.BackColor;
    record.fill = cell.FillStyle;
    record.border = cell.BorderColor;
    record.borderWidth = cell.BorderWidth;
    record.opaque = cell.opaque;
    cells_.push_back(record);
    order_.push_back({Kind::Cell, cells_.size() - 1});
    orderSorted_ = false;
}

void PaintCache::addLabel(const Label& label)
{
    LabelRecord record;
    record.label = &label;
    record.rect = pixelRect(label);
    record.visible = label.Visible;
    record.z = label.z;
    record.caption = label.Caption;
    record.text = QString::fromStdString(label.Caption);
    record.designedFont = label.font;
    record.font = fontFor(label.font);
    record.fore = label.ForeColor;
    record.back = label.BackColor;
    record.transparent = label.transparent;
    record.wordWrap = label.wordWrap;
    labels_.push_back(std::move(record));
    order_.push_back({Kind::Label, labels_.size() - 1});
    orderSorted_ = false;
}

QRegion PaintCache::collectChanges()
{
    QRegion changed;
    bool reorder = false;
    for (CellRecord& r : cells_) {
        const Cell& c = *r.cell;
        const QRectF rect = pixelRect(c);
        const bool sameLook = r.back == c.BackColor && r.fill == c.FillStyle && r.border == c.BorderColor &&
            r.borderWidth == c.BorderWidth && r.opaque == c.opaque;
        if (r.visible == c.Visible && r.z == c.z && r.rect == rect && sameLook)
            continue;
        addChange(changed, r.visible, r.rect, c.Visible, rect);
        reorder = reorder || r.z != c.z;
        r.rect = rect;
        r.visible = c.Visible;
        r.z = c.z;
        r.back = c.BackColor;
        r.fill = c.FillStyle;
        r.border = c.BorderColor;
        r.borderWidth = c.BorderWidth;
        r.opaque = c.opaque;
    }
    for (LabelRecord& r : labels_) {
        const Label& l = *r.label;
        const QRectF rect = pixelRect(l);
        const bool sameLook = r.fore == l.ForeColor && r.back == l.BackColor && r.transparent == l.transparent &&
            r.wordWrap == l.wordWrap && sameFont(r.designedFont, l.font);
        if (r.visible == l.Visible && r.z == l.z && r.rect == rect && sameLook && r.caption == l.Caption)
            continue;
        addChange(changed, r.visible, r.rect, l.Visible, rect);
        reorder = reorder || r.z != l.z;
        r.rect = rect;
        r.visible = l.Visible;
        r.z = l.z;
        if (r.caption != l.Caption) {
            r.caption = l.Caption;
            r.text = QString::fromStdString(l.Caption);
        }
        if (!sameFont(r.designedFont, l.font)) {
            r.designedFont = l.font;
            r.font = fontFor(l.font);
        }
        r.fore = l.ForeColor;
        r.back = l.BackColor;
        r.transparent = l.transparent;
        r.wordWrap = l.wordWrap;
    }
    if (reorder)
        orderSorted_ = false;
    return changed;
}

std::uint32_t PaintCache::zOf(const Entry& entry) const
{
    return entry.kind == Kind::Cell ? cells_[entry.index].z : labels_[entry.index].z;
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
