#!/usr/bin/python3
"""Writes the chart library's shape texts (shapes/) and its small pattern bitmaps (res/).
Run by hand after changing one; the build only compiles the results."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# Symbols lie in -8..8; line ends within -1..1 with the tip or centre at the origin.
# Each outline repeats its first point at the end.
WIGETS = {
    "CIRCLE": "-3,-8 3,-8 6,-6 8,-3 8,3 6,6 3,8 -3,8 -6,6 -8,3 -8,-3 -6,-6 -3,-8",
    "CROSS": "-5,-8 0,-3 5,-8 8,-5 3,0 8,5 5,8 0,3 -5,8 -8,5 -3,0 -8,-5 -5,-8",
    "DIAMOND": "0,-6 6,0 0,6 -6,0 0,-6",
    "HEX": "0,-8 8,-2 3,8 -3,8 -8,-2 0,-8",
    "LEFT_TRI": "-8,-6 -8,6 0,0 -8,-6",
    "PLUS": "-2,-8 2,-8 2,-2 8,-2 8,2 2,2 2,8 -2,8 -2,2 -8,2 -8,-2 -2,-2 -2,-8",
    "RIGHT_TRI": "8,-6 8,6 0,0 8,-6",
    "SQUARE": "-6,-6 6,-6 6,6 -6,6 -6,-6",
    "STAR": "0,-8 3,-3 8,-2 4,1 3,8 0,4 -3,8 -4,1 -8,-2 -3,-3 0,-8",
    "TRIANGLE": "0,-6 8,4 -8,4 0,-6",
}
LINE_ENDS = {
    "ARROWA": "0.00125,-0.00125 -0.99875,0.99875 -0.81375,0.09375 -0.99875,-0.00125 -0.81375,-0.09125 "
              "-0.99875,-1.00625 0.00125,-0.00125",
    "TAILA": "0.995,0.0025 0.76,0.9975 0.5,0.9975 0.745,0.0025 0.51,0.0025 0.23,0.9975 1.30104e-016,0.9975 "
             "0.23,-0.0025 -0.005,-0.9975 0.235,-0.9975 0.51,0.0025 0.75,0.0025 0.5,-0.9975 0.76,-0.9975 "
             "0.995,0.0025",
    "ENDBLOB": "0.4275,-0.2425 0.4975,0.0025 0.24625,0.00375 0.2125,0.1225 0.1175,0.2125 -0.0075,0.2525 "
               "-0.00375,-0.23625 -0.1225,-0.2125 -0.2125,-0.1225 -0.2525,-0.0025 -0.4925,0.0025 "
               "-0.4325,0.2425 -0.2475,0.4375 -0.0075,0.4925 0.2325,0.4325 0.4325,0.2475 0.4975,0.0025 "
               "0.24625,0.0025 0.2125,-0.1175 0.1175,-0.2175 -0.0025,-0.2375 -0.00875,0.2525 -0.1275,0.2125 "
               "-0.2125,0.1225 -0.25375,-0.00125 -0.4925,0.0025 -0.4325,-0.2425 -0.2475,-0.4275 "
               "-0.0125,-0.4925 0.2425,-0.4325 0.4275,-0.2425",
}


def write_shapes(table, extension):
    for name, points in table.items():
        pairs = [p.split(",") for p in points.split()]
        lines = [str(len(pairs))] + [f"{x} {y}" for x, y in pairs]
        with open(os.path.join(HERE, "shapes", name + extension), "w", newline="") as f:
            f.write("\r\n".join(lines) + "\r\n")


def save_bmp(name, pixels):
    """A 24-bit bottom-up BMP of pixels[y][x] = (r, g, b), rows padded to 4 bytes."""
    height, width = len(pixels), len(pixels[0])
    padding = b"\0" * (-3 * width % 4)
    rows = b""
    for y in reversed(range(height)):
        rows += b"".join(bytes((b, g, r)) for r, g, b in pixels[y]) + padding
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(os.path.join(HERE, "res", name), "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(rows), 0, 0, 14 + len(header)))
        f.write(header + rows)


def pattern(name, colours):
    """A checker of two colours."""
    save_bmp(name, [[colours[(x + y) % 2] for x in range(8)] for y in range(8)])


def stripes(name, ink, paper):
    """Diagonal stripes of ink on paper."""
    save_bmp(name, [[ink if (x + y) % 4 == 3 else paper for x in range(8)] for y in range(8)])


def no_graph(name):
    """What a display shows when it has nothing to draw: empty axes crossed out, 48 x 32 on white."""
    width, height = 48, 32
    white, grey, red = (0xFF, 0xFF, 0xFF), (0x80, 0x80, 0x80), (0xC0, 0, 0)
    pixels = [[white] * width for _ in range(height)]
    for y in range(3, 29):
        pixels[y][6] = grey                       # the value axis
    for x in range(6, 45):
        pixels[28][x] = grey                      # the index axis
    for i in range(22):                           # a cross over the empty plot
        for dx in (0, 1):
            pixels[5 + i][14 + i + dx] = red
            pixels[26 - i][14 + i + dx] = red
    save_bmp(name, pixels)


write_shapes(WIGETS, ".wig")
write_shapes(LINE_ENDS, ".end")
pattern("box_top.bmp", [(0x60, 0x60, 0x60), (0, 0, 0)])          # merged: lightens the top face
pattern("box_side.bmp", [(0x80, 0x80, 0x80), (0xC0, 0xC0, 0xC0)])  # masked: darkens the side face
pattern("shadow.bmp", [(0x60, 0x60, 0x60), (0x90, 0x90, 0x90)])    # masked: the drop shadow
stripes("pattern.bmp", (0, 0, 0), (0xFF, 0xFF, 0xFF))
no_graph("no_graph.bmp")
