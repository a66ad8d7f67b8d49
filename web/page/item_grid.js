// Which drawn items may reach into a part of a window. A frame of play repaints a few cells' worth of
// pixels; looking through all of the window's items for them, at every frame, would cost more than the
// drawing. The grid keeps each item's index in the tiles its rectangle covers, and moves an item only
// when its rectangle changes.

const TileSize = 32; // device pixels

export class ItemGrid {
    constructor(width, height) {
        this.columns = Math.max(1, Math.ceil(width / TileSize));
        this.rows = Math.max(1, Math.ceil(height / TileSize));
        this.tiles = Array.from({ length: this.columns * this.rows }, () => new Set());
        this.placed = new Map(); // item index -> the tile span it was put in
    }

    // The tiles a device-pixel rectangle covers, clamped to the grid; null when it covers none.
    span(r) {
        if (r.w <= 0 || r.h <= 0)
            return null;
        const x0 = Math.max(0, Math.floor(r.x / TileSize));
        const y0 = Math.max(0, Math.floor(r.y / TileSize));
        const x1 = Math.min(this.columns - 1, Math.floor((r.x + r.w - 1) / TileSize));
        const y1 = Math.min(this.rows - 1, Math.floor((r.y + r.h - 1) / TileSize));
        return x0 > x1 || y0 > y1 ? null : { x0, y0, x1, y1 };
    }

    each(span, visit) {
        for (let y = span.y0; y <= span.y1; ++y)
            for (let x = span.x0; x <= span.x1; ++x)
                visit(this.tiles[y * this.columns + x]);
    }

    // Puts item `index` where `rect` (device pixels, or null for nowhere) is.
    place(index, rect) {
        const span = rect && this.span(rect);
        const old = this.placed.get(index);
        if (old && span && old.x0 === span.x0 && old.y0 === span.y0 && old.x1 === span.x1 && old.y1 === span.y1)
            return;
        if (old)
            this.each(old, (tile) => tile.delete(index));
        if (span) {
            this.each(span, (tile) => tile.add(index));
            this.placed.set(index, span);
        } else {
            this.placed.delete(index);
        }
    }

    // The indices of the items placed in the tiles under `area`, in drawing order.
    near(area) {
        const span = this.span(area);
        if (!span)
            return [];
        const found = new Set();
        this.each(span, (tile) => {
            for (const index of tile)
                found.add(index);
        });
        return [...found].sort((a, b) => a - b);
    }
}
