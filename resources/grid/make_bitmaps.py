#!/usr/bin/python3
"""Draws the grid's control bitmaps into res/ as 4-bit .bmp files on the 16-colour standard palette:
the radio-button strip, the three check-box strips, the two drop-down arrows, the calculator button and the Enter key. Run by hand after
changing a picture (plain python3); the build only compiles the results.

The check boxes are recoloured when they are loaded: pure red becomes the window colour (white on
paper), pure green the frame colour, black the window-text colour and silver the button face, so
those four colours stand for the parts of the box."""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "res")

# The 16-colour standard palette (VGA order), as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, SILVER, GREY, RED, GREEN, WHITE = 0, 7, 8, 9, 10, 15


def canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def write_bmp(name, img):
    """A bottom-up 4-bit DIB with its file header; rows padded to four bytes."""
    height, width = len(img), len(img[0])
    stride = ((width * 4 + 31) // 32) * 4
    bits = bytearray()
    for row in reversed(img):
        packed = bytearray(stride)
        for x, index in enumerate(row):
            packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
        bits += packed
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(bits), 0, 0, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(header + info + palette + bits)


# The check mark: seven columns by seven rows, drawn from (3, 3) inside a 13-pixel box.
CHECK = [
    "......#",
    ".....##",
    "#...###",
    "##.###.",
    "#####..",
    ".###...",
    "..#....",
]


def draw_check(img, x0, colour):
    for dy, line in enumerate(CHECK):
        for dx, ch in enumerate(line):
            if ch == "#":
                img[3 + dy][x0 + 3 + dx] = colour


def draw_cross(img, x0, colour):
    for i in range(7):
        img[3 + i][x0 + 3 + i] = colour
        img[3 + i][x0 + 9 - i] = colour


def fill(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = colour


def check_strip(frame, mark):
    """Five 13 x 13 images side by side: unchecked, checked, unchecked pressed, checked pressed,
    indeterminate. frame(img, x0) draws a box's frame and leaves its interior to fill."""
    img = canvas(65, 13, SILVER)
    for image in range(5):
        x0 = image * 13
        interior = SILVER if image >= 2 else RED
        inner = frame(img, x0)
        fill(img, x0 + inner, inner, x0 + 12 - inner, 12 - inner, interior)
        if image in (1, 3):
            mark(img, x0, BLACK)
        elif image == 4:
            mark(img, x0, GREY)
    return img


def sunken_frame(img, x0):
    """The newer look: an outer edge grey above and left, white below and right; an inner edge black
    above and left, silver below and right."""
    fill(img, x0, 0, x0 + 12, 12, WHITE)
    fill(img, x0, 0, x0 + 11, 0, GREY)
    fill(img, x0, 0, x0, 11, GREY)
    fill(img, x0 + 1, 1, x0 + 11, 11, SILVER)
    fill(img, x0 + 1, 1, x0 + 10, 1, BLACK)
    fill(img, x0 + 1, 1, x0 + 1, 10, BLACK)
    return 2


def boxed_frame(img, x0):
    """The older look: a shallow sunken edge around a black box."""
    fill(img, x0, 0, x0 + 12, 12, WHITE)
    fill(img, x0, 0, x0 + 11, 0, GREY)
    fill(img, x0, 0, x0, 11, GREY)
    fill(img, x0 + 1, 1, x0 + 11, 11, BLACK)
    return 2


def flat_frame(img, x0):
    """Flat: a one-pixel box in the frame colour."""
    fill(img, x0, 0, x0 + 12, 12, GREEN)
    return 1


def radio_strip():
    """Two 14 x 13 images: unchecked at x 0, checked at x 14; a sunken round button of 12 pixels on
    white."""
    img = canvas(28, 13, WHITE)
    for image in range(2):
        x0 = image * 14
        for y in range(12):
            for x in range(12):
                d = math.hypot(x + 0.5 - 6, y + 0.5 - 6)
                upper_left = x + y < 11
                if 5.0 <= d < 6.0:
                    img[y][x0 + x] = GREY if upper_left else WHITE
                elif 4.0 <= d < 5.0:
                    img[y][x0 + x] = BLACK if upper_left else SILVER
                elif d < 4.0:
                    img[y][x0 + x] = BLACK if image == 1 and d < 2.0 else WHITE
    return img


def arrow(disabled):
    """7 x 4: a down-pointing triangle of rows 7, 5, 3 and 1 on light grey; the disabled one dark
    grey with a white highlight right of each row."""
    img = canvas(7, 4, SILVER)
    for row in range(4):
        fill(img, row, row, 6 - row, row, GREY if disabled else BLACK)
        if disabled and 7 - row < 7:
            img[row][7 - row] = WHITE
    return img


def calculator():
    """11 x 12: a small calculator, a grey body with a white display and black keys, the picture on
    the currency edit's drop button."""
    img = canvas(11, 12, SILVER)
    fill(img, 1, 0, 9, 11, GREY)
    fill(img, 2, 1, 8, 3, WHITE)
    for row in range(3):
        for col in range(3):
            fill(img, 2 + col * 3, 5 + row * 2, 3 + col * 3, 5 + row * 2, BLACK)
    return img


def enter_arrow():
    """13 x 9: the Enter key's bent arrow, black on light grey."""
    img = canvas(13, 9, SILVER)
    fill(img, 10, 1, 11, 5, BLACK)
    fill(img, 3, 4, 11, 5, BLACK)
    for i in range(4):
        fill(img, 1 + i, 4 - i, 1 + i, 5 + i, BLACK)
    return img


def main():
    os.makedirs(OUT, exist_ok=True)
    write_bmp("radio.bmp", radio_strip())
    write_bmp("check3d.bmp", check_strip(sunken_frame, draw_check))
    write_bmp("check3dold.bmp", check_strip(boxed_frame, draw_cross))
    write_bmp("checkflat.bmp", check_strip(flat_frame, draw_check))
    write_bmp("droparrow.bmp", arrow(False))
    write_bmp("droparrowoff.bmp", arrow(True))
    write_bmp("calculator.bmp", calculator())
    write_bmp("enter.bmp", enter_arrow())


if __name__ == "__main__":
    main()
