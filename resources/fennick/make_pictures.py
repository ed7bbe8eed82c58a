#!/usr/bin/python3
"""Draws Fennick's toolbar buttons and icon into res/ with nothing but the standard library. Run by
hand after changing a picture; the build only compiles the results.

The toolbar is a 4-bit bitmap of 16 x 15 images, one per button, on the light grey that the toolbar
replaces by the system's button face. The icon is a 32 x 32 and a 16 x 16 image of a chart."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "res")

# The 16 colours of the toolbar bitmap's table (blue, green, red order is done when writing).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (128, 128, 128), (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_RED, DARK_GREEN, OLIVE, NAVY, PURPLE, TEAL, GREY, FACE, RED, GREEN, YELLOW, BLUE, \
    MAGENTA, CYAN, WHITE = range(16)


class Canvas:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, outline=None, fill=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge and outline is not None:
                    self.put(x, y, outline)
                elif not edge and fill is not None:
                    self.put(x, y, fill)

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)

    def blit(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                self.put(left + x, top + y, other.pixels[y][x])


def page(c, fill=WHITE):
    """A sheet with a folded corner."""
    c.rect(2, 0, 12, 14, outline=BLACK, fill=fill)
    c.line(9, 0, 12, 3, BLACK)
    c.line(9, 0, 9, 3, BLACK)
    c.line(9, 3, 12, 3, BLACK)
    for y in range(1, 3):
        for x in range(10, 13):
            if x - 9 > y:
                c.put(x, y, FACE)


def curve(c, left, top, colour):
    c.line(left, top + 6, left + 3, top + 2, colour)
    c.line(left + 3, top + 2, left + 6, top + 4, colour)


def button_new():
    c = Canvas(16, 15, FACE)
    page(c)
    curve(c, 4, 5, RED)
    return c


def disk(c, label_colour):
    c.rect(0, 0, 13, 13, outline=BLACK, fill=NAVY)
    c.rect(3, 1, 10, 6, outline=None, fill=WHITE)
    c.rect(4, 9, 9, 12, outline=BLACK, fill=label_colour)


def button_save(letter_colour):
    c = Canvas(16, 15, FACE)
    disk(c, letter_colour)
    curve(c, 4, 0, RED)
    return c


def button_copy():
    c = Canvas(16, 15, FACE)
    c.rect(0, 0, 8, 10, outline=BLACK, fill=WHITE)
    c.rect(6, 4, 14, 14, outline=BLACK, fill=WHITE)
    curve(c, 7, 6, RED)
    return c


def button_print():
    c = Canvas(16, 15, FACE)
    c.rect(3, 0, 11, 6, outline=BLACK, fill=WHITE)
    c.rect(0, 6, 14, 12, outline=BLACK, fill=GREY)
    c.rect(3, 10, 11, 14, outline=BLACK, fill=WHITE)
    c.put(12, 8, GREEN)
    return c


def button_about():
    c = Canvas(16, 15, FACE)
    for y in range(15):
        for x in range(16):
            if (x - 7.5) ** 2 + (y - 7) ** 2 <= 42:
                c.put(x, y, NAVY)
    c.rect(7, 3, 8, 4, fill=None, outline=WHITE)
    c.rect(7, 6, 8, 11, fill=None, outline=WHITE)
    return c


def write_bmp4(path, canvas):
    row_bytes = ((canvas.width * 4 + 31) // 32) * 4
    image = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(canvas.width):
            value = canvas.pixels[y][x]
            row[x // 2] |= value << (4 if x % 2 == 0 else 0)
        image += row
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 4, 0, len(image), 2835, 2835, 16, 0)
    with open(path, "wb") as f:
        f.write(header + info + table + image)


def icon_image(size):
    """A chart on white: axes, a green curve and a dashed red one, as 32-bit BGRA rows bottom first."""
    c = Canvas(size, size, WHITE)
    s = size / 32.0
    c.rect(0, 0, size - 1, size - 1, outline=NAVY)
    left, bottom = round(5 * s), round(26 * s)
    c.line(left, round(3 * s), left, bottom, BLACK)
    c.line(left, bottom, round(29 * s), bottom, BLACK)
    points = [(5, 24), (9, 14), (14, 9), (20, 7), (28, 6)]
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        c.line(round(x0 * s), round(y0 * s), round(x1 * s), round(y1 * s), DARK_GREEN)
        c.line(round(x0 * s), round((y0 + 1) * s), round(x1 * s), round((y1 + 1) * s), DARK_GREEN)
    lower = [(5, 25), (10, 20), (16, 16), (22, 14), (28, 13)]
    for i, ((x0, y0), (x1, y1)) in enumerate(zip(lower, lower[1:])):
        if i % 2 == 0:
            c.line(round(x0 * s), round(y0 * s), round(x1 * s), round(y1 * s), RED)
    pixels = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b = PALETTE[c.pixels[y][x]]
            pixels += struct.pack("<BBBB", b, g, r, 255)
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return info + pixels + mask


def write_icon(path, sizes):
    images = [icon_image(size) for size in sizes]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, image in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(header + entries + b"".join(images))


def main():
    os.makedirs(OUT, exist_ok=True)
    buttons = [button_new(), button_save(GREEN), button_save(YELLOW), button_copy(), button_print(),
               button_about()]
    strip = Canvas(16 * len(buttons), 15, FACE)
    for i, button in enumerate(buttons):
        strip.blit(button, 16 * i, 0)
    write_bmp4(os.path.join(OUT, "toolbar.bmp"), strip)
    write_icon(os.path.join(OUT, "fennick.ico"), [32, 16])


if __name__ == "__main__":
    main()
