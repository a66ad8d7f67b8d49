"""Writes the page's icons into a folder: favicon.ico (32 by 32 pixels) and the installed app's PNGs
(192 and 512 pixels, and a maskable 512 one), the game's yellow with a piece of four cells in the
blue-bordered look of the desktop icon (packaging/org.blokko.Blokko.svg).

    /usr/bin/python3 web/icons.py FOLDER
"""

import os
import struct
import sys
import zlib

YELLOW = (255, 255, 0)
BLUE = (0, 0, 255)
PIECE = (180, 30, 150)
# The cells of a T piece, as (column, row) in cells.
CELLS = [(0, 0), (1, 0), (2, 0), (1, 1)]
PIECE_COLUMNS, PIECE_ROWS = 3, 2


class Icon:
    """A square icon of `size` pixels: the piece's cells of `cell` pixels with a border of `border`,
    its box starting at `origin`."""

    def __init__(self, size, cell, border, origin):
        self.size, self.cell, self.border, self.origin = size, cell, border, origin

    @classmethod
    def framed(cls, size):
        # The favicon's design (cells of 10 in 32, drawn from (1, 6)) at any size.
        unit = size // 32
        return cls(size, 10 * unit, unit, (unit, 6 * unit))

    @classmethod
    def maskable(cls, size):
        # A launcher may cut the icon to a circle of 80 % of its size: the piece lies wholly inside one
        # (half its box's diagonal, 1.8 cells, is less than 40 % of the size), the yellow fills the rest.
        cell = size // 5
        return cls(size, cell, max(1, cell // 10),
                   ((size - PIECE_COLUMNS * cell) // 2, (size - PIECE_ROWS * cell) // 2))

    def colour_at(self, x, y):
        for column, row in CELLS:
            left, top = self.origin[0] + column * self.cell, self.origin[1] + row * self.cell
            if left <= x < left + self.cell and top <= y < top + self.cell:
                inside = left + self.border <= x < left + self.cell - self.border and \
                    top + self.border <= y < top + self.cell - self.border
                return PIECE if inside else BLUE
        return YELLOW

    def rows(self):
        return [[self.colour_at(x, y) for x in range(self.size)] for y in range(self.size)]


def ico(icon):
    rows = []
    for row in reversed(icon.rows()):  # a bitmap's rows go bottom up
        rows.append(b"".join(bytes((b, g, r, 255)) for r, g, b in row))
    mask = bytes(icon.size * icon.size // 8)
    header = struct.pack("<IiiHHIIiiII", 40, icon.size, 2 * icon.size, 1, 32, 0, 0, 0, 0, 0, 0)
    image = header + b"".join(rows) + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", icon.size, icon.size, 0, 0, 1, 32,
                                                           len(image), 22)
    return directory + image


def png(icon):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + b"".join(bytes(colour) for colour in row) for row in icon.rows())
    header = struct.pack(">IIBBBBB", icon.size, icon.size, 8, 2, 0, 0, 0)  # 8-bit RGB
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + \
        chunk(b"IEND", b"")


# The files, and how each is made. The web app manifest names the PNGs.
ICONS = {
    "favicon.ico": lambda: ico(Icon.framed(32)),
    "icon-192.png": lambda: png(Icon.framed(192)),
    "icon-512.png": lambda: png(Icon.framed(512)),
    "icon-maskable-512.png": lambda: png(Icon.maskable(512)),
}

if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    for name, make in ICONS.items():
        with open(os.path.join(sys.argv[1], name), "wb") as out:
            out.write(make())
