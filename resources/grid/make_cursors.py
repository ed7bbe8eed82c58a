#!/usr/bin/python3
"""Draws the grid's mouse cursors into res/ as 32 x 32 monochrome .cur files: black shapes with a
white rim. Run by hand after changing a cursor (plain python3); the build only compiles the results."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "res")
SIZE = 32


def blank():
    return [[0] * SIZE for _ in range(SIZE)]


def fill(img, x0, y0, x1, y1):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = 1


def arrow_left(img, tip_x, cy, length=4):
    """A solid head pointing left whose tip lies at (tip_x, cy..cy+1)."""
    for i in range(length + 1):
        fill(img, tip_x + i, cy - i, tip_x + i, cy + 1 + i)


def arrow_right(img, tip_x, cy, length=4):
    for i in range(length + 1):
        fill(img, tip_x - i, cy - i, tip_x - i, cy + 1 + i)


def transpose(img):
    return [[img[x][y] for x in range(SIZE)] for y in range(SIZE)]


def column_border(gap):
    """A horizontal double arrow across one vertical line, or across two lines gap pixels apart."""
    img = blank()
    fill(img, 5, 15, 26, 16)
    arrow_left(img, 4, 15)
    arrow_right(img, 27, 15)
    if gap == 0:
        fill(img, 15, 7, 16, 24)
    else:
        left = 15 - gap // 2
        fill(img, left - 1, 7, left, 24)
        fill(img, left + gap + 1, 7, left + gap + 2, 24)
    return img


def move_frame():
    """Four arrows: the selection is dragged in any direction."""
    img = column_border(0)
    for y in range(7, 25):
        img[y][15] = img[y][16] = 0
    turned = transpose(img)
    img = [[img[y][x] or turned[y][x] for x in range(SIZE)] for y in range(SIZE)]
    fill(img, 15, 15, 16, 16)
    return img


def thick_arrow_down():
    """Selects a whole column from its header; the tip is the hot spot."""
    img = blank()
    fill(img, 13, 3, 18, 17)
    for i in range(10):
        fill(img, 7 + i, 18 + i, 24 - i, 18 + i)
    return img


def cross():
    """The fill handle's thin cross."""
    img = blank()
    fill(img, 15, 6, 16, 25)
    fill(img, 6, 15, 25, 16)
    return img


def no_drop():
    """A ring with a slash: the grid refuses a drop here."""
    img = blank()
    for y in range(SIZE):
        for x in range(SIZE):
            d2 = (x - 15.5) ** 2 + (y - 15.5) ** 2
            if 81 <= d2 <= 144:
                img[y][x] = 1
    for i in range(-8, 9):
        fill(img, 15 + i, 15 - i, 16 + i, 15 - i)
    return img


def with_rim(img):
    """Black shape (1) with a one-pixel white rim (2) round it."""
    out = [row[:] for row in img]
    for y in range(SIZE):
        for x in range(SIZE):
            if img[y][x]:
                continue
            near = any(img[j][i] for j in range(max(0, y - 1), min(SIZE, y + 2))
                       for i in range(max(0, x - 1), min(SIZE, x + 2)))
            if near:
                out[y][x] = 2
    return out


def rows_of_bits(img, bit):
    """Bottom-up rows of 1-bit pixels, each padded to 4 bytes."""
    data = b""
    for y in reversed(range(SIZE)):
        value = 0
        for x in range(SIZE):
            if bit(img[y][x]):
                value |= 1 << (SIZE - 1 - x)
        data += struct.pack(">I", value)
    return data


def write_cursor(name, img, hot_x, hot_y):
    img = with_rim(img)
    xor = rows_of_bits(img, lambda p: p == 2)      # white where the rim is
    mask = rows_of_bits(img, lambda p: p == 0)     # screen shows through elsewhere
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hot_x, hot_y, len(image), 6 + 16)
    with open(os.path.join(OUT, name + ".cur"), "wb") as f:
        f.write(directory + entry + image)


def main():
    os.makedirs(OUT, exist_ok=True)
    write_cursor("colresize", column_border(0), 15, 15)
    write_cursor("rowresize", transpose(column_border(0)), 15, 15)
    write_cursor("hiddencol", column_border(4), 15, 15)
    write_cursor("hiddenrow", transpose(column_border(4)), 15, 15)
    write_cursor("moveframe", move_frame(), 15, 15)
    write_cursor("selectcol", thick_arrow_down(), 15, 27)
    write_cursor("selectrow", transpose(thick_arrow_down()), 27, 15)
    write_cursor("fillhandle", cross(), 15, 15)
    write_cursor("nodrop", no_drop(), 15, 15)
    write_cursor("tabsplit", column_border(2), 15, 15)


if __name__ == "__main__":
    main()
