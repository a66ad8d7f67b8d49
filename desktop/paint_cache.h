#pragma once
// What the view last drew for each graphical control of a window: a record of the drawing, not game
// state. Comparing the controls with it after an event tells which pixels must be painted again, so a
// play tick repaints the moved cells and the changed labels only.

#include <QFont>
#include <QRectF>
#include <QRegion>
#include <QString>
#include <cstdint>
#include <vector>

#include "engine/rules/controls.h"

namespace blokko::view {

class PaintCache {
public:
    enum class Kind { Cell, Label };

    struct Entry {
        Kind kind;
        std::size_t index; // into the cell or label records
    };

    struct CellRecord {
        const Cell* cell = nullptr;
        Cell drawn; // the cell as it was last drawn
        QRectF rect; // where, in pixels
    };

    struct LabelRecord {
        const Label* label = nullptr;
        Label drawn;
        QRectF rect;
        QString text; // the caption converted once, for painting
        QFont font;
    };

    // The controls stay owned by the engine; they must outlive the cache (one load of a window).
    void addCell(const Cell& cell);
    void addLabel(const Label& label);

    // Brings every record up to its control and returns the region that changed: for each control that
    // looks different, the union of where it was drawn and where it is drawn now.
    QRegion collectChanges();

    // Back to front: graphical controls by their place in the drawing order.
    const std::vector<Entry>& drawingOrder() const;
    const CellRecord& cellRecord(std::size_t index) const { return cells_[index]; }
    const LabelRecord& labelRecord(std::size_t index) const { return labels_[index]; }

private:
    std::uint32_t zOf(const Entry& entry) const;

    std::vector<CellRecord> cells_;
    std::vector<LabelRecord> labels_;
    mutable std::vector<Entry> order_;
    mutable bool orderSorted_ = true;
};

// The pixels a drawn rectangle may touch, rounded outwards with a pixel to spare for rounding at any
// device pixel ratio.
QRect repaintRect(const QRectF& drawn);

} // namespace blokko::view
