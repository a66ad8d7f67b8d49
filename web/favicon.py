"""Writes the page's icon, favicon.ico: 32 by 32 pixels, the game's yellow with a piece of four cells
in the blue-bordered look of the desktop icon (packaging/org.blokko.Blokko.svg).

    /usr/bin/python3 web/favicon.py OUTPUT
"""

import struct
import sys

SIZE = 32
YELLOW = (255, 255, 0)
BLUE = (0, 0, 255)
PIECE = (180, 30, 150)
CELL = 10
# The cells of a T piece, as (column, row) in cells, and where the piece's box starts.
CELLS = [(0, 0), (1, 0), (2, 0), (1, 1)]
ORIGIN = (1, 6)


def colour_at(x, y):
    for column, row in CELLS:
        left, top = ORIGIN[0] + column * CELL, ORIGIN[1] + row * CELL
        if left <= x < left + CELL and top <= y < top + CELL:
            edge = x in (left, left + CELL - 1) or y in (top, top + CELL - 1)
            return BLUE if edge else PIECE
    return YELLOW


def icon():
    rows = []
    for y in reversed(range(SIZE)):  # a bitmap's rows go bottom up
        rows.append(b"".join(bytes((b, g, r, 255)) for r, g, b in (colour_at(x, y) for x in range(SIZE))))
    mask = bytes(SIZE * SIZE // 8)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 32, 0, 0, 0, 0, 0, 0)
    image = header + b"".join(rows) + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    return directory + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(icon())
