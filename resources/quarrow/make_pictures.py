#!/usr/bin/python3
"""Draws Quarrow's bitmaps and icon into res/. Run by hand after changing a picture (needs python3-pil);
the build only compiles the results."""
import math
import os
import random
from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "res")
FONTS = "/usr/share/fonts/truetype/dejavu/"

INK = (16, 44, 96)
TILE = (232, 240, 252)
EDGE = (96, 120, 160)


def font(size, style=""):
    return ImageFont.truetype(FONTS + "DejaVuSerif" + style + ".ttf", size)


def sans(size, style=""):
    return ImageFont.truetype(FONTS + "DejaVuSans" + style + ".ttf", size)


def tile(width, height):
    image = Image.new("RGB", (width, height), TILE)
    draw = ImageDraw.Draw(image)
    draw.rectangle([0, 0, width - 1, height - 1], outline=EDGE)
    return image, draw


def symbol(name, main, sub="", underline=False, upright_main=False):
    """A clickable symbol: an italic letter with an optional subscript on a tile, 26 pixels wide
    unless the text needs more. Underlined, it is a link to the page where the value is computed."""
    big, small = font(14, "" if upright_main else "-Italic"), font(9, "-Italic")
    probe = ImageDraw.Draw(Image.new("RGB", (1, 1)))
    main_width = probe.textlength(main, font=big)
    sub_width = probe.textlength(sub, font=small) if sub else 0
    width = max(26, int(main_width + sub_width + 8))
    image, draw = tile(width, 20)
    x = (width - main_width - sub_width) / 2
    draw.text((x, 1), main, font=big, fill=INK)
    if sub:
        draw.text((x + main_width, 9), sub, font=small, fill=INK)
    if underline:
        draw.line([(x, 17), (x + main_width + sub_width, 17)], fill=INK)
    image.save(os.path.join(OUT, name + ".bmp"))


def unit(name, parts):
    """A unit that needs superscripts: parts are (text, raised) pairs."""
    normal, raised = sans(9), sans(7)
    probe = ImageDraw.Draw(Image.new("RGB", (1, 1)))
    width = sum(probe.textlength(t, font=raised if r else normal) for t, r in parts) + 8
    image, draw = tile(int(width), 18)
    x = 4
    for text, is_raised in parts:
        face = raised if is_raised else normal
        draw.text((x, 1 if is_raised else 3), text, font=face, fill=INK)
        x += draw.textlength(text, font=face)
    image.save(os.path.join(OUT, name + ".bmp"))


def splash():
    width, height = 900, 603
    image = Image.new("RGB", (width, height), (250, 250, 246))
    draw = ImageDraw.Draw(image)
    draw.rectangle([0, 0, width - 1, height - 1], outline=(60, 70, 90), width=3)
    draw.text((60, 40), "QUARROW", font=sans(72, "-Bold"), fill=INK)
    draw.text((64, 130), "Subsurface drainage design for highway pavements", font=sans(24), fill=(50, 60, 80))

    # Cross-section: surface course, permeable base, separator, subgrade, edge drain.
    left, right, top = 60, 840, 250
    slope = 0.06
    def y_at(x, offset):
        return top + offset + (x - left) * slope
    layers = [(0, 34, (70, 70, 74), "Surface course"),
              (34, 84, (214, 190, 140), "Permeable base"),
              (84, 108, (170, 160, 150), "Separator"),
              (108, 230, (196, 164, 122), "Subgrade")]
    for upper, lower, colour, label in layers:
        draw.polygon([(left, y_at(left, upper)), (right, y_at(right, upper)),
                      (right, y_at(right, lower)), (left, y_at(left, lower))], fill=colour, outline=(40, 40, 40))
        draw.text((left + 20, y_at(left + 20, (upper + lower) / 2) - 11), label, font=sans(16),
                  fill=(255, 255, 255) if colour[0] < 100 else (30, 30, 30))
    # Aggregate speckle in the permeable base.
    scatter = random.Random(7)
    for i in range(320):
        x = scatter.uniform(left + 160, right - 80)
        depth = scatter.uniform(40, 80)
        r = scatter.choice((2, 3, 4))
        y = y_at(x, depth)
        draw.ellipse([x - r, y - r, x + r, y + r], outline=(150, 120, 80))
    # Edge drain trench with a pipe at the low side.
    tx = right - 70
    draw.rectangle([tx, y_at(tx, 40), tx + 60, y_at(tx, 190)], fill=(224, 206, 160), outline=(40, 40, 40))
    cy = y_at(tx, 160)
    draw.ellipse([tx + 12, cy - 18, tx + 48, cy + 18], fill=(250, 250, 250), outline=INK, width=3)
    # Flow arrows along the base.
    for x in range(left + 120, right - 120, 140):
        y = y_at(x, 60)
        draw.line([(x, y), (x + 80, y + 80 * slope)], fill=(20, 90, 200), width=4)
        draw.polygon([(x + 80, y + 80 * slope - 7), (x + 96, y + 96 * slope), (x + 80, y + 80 * slope + 7)],
                     fill=(20, 90, 200))
    draw.text((tx - 40, y_at(tx, 195) + 8), "Edge drain", font=sans(18), fill=(30, 30, 30))
    draw.text((60, 540), "Roadway geometry \u00b7 Sieve analysis \u00b7 Inflow \u00b7 Permeable base \u00b7 Separator \u00b7 Edge drain",
              font=sans(18), fill=(70, 80, 100))
    # Drawn large, shown at the splash dialog's size in pixels (396 x 245 dialog units in the dialog font);
    # 256 colours keep the resource small.
    image = image.resize((594, 368), Image.LANCZOS)
    image.quantize(256).save(os.path.join(OUT, "splash.bmp"))


def icon():
    images = []
    for size in (48, 32, 16):
        image = Image.new("RGB", (size, size), (236, 242, 250))
        draw = ImageDraw.Draw(image)
        s = size / 32
        draw.rectangle([0, 0, size - 1, size - 1], outline=INK)
        draw.rectangle([2 * s, 8 * s, 29 * s, 12 * s], fill=(70, 70, 74))
        draw.rectangle([2 * s, 12 * s, 29 * s, 20 * s], fill=(214, 190, 140))
        draw.rectangle([2 * s, 20 * s, 29 * s, 29 * s], fill=(196, 164, 122))
        draw.ellipse([20 * s, 21 * s, 27 * s, 28 * s], fill=(255, 255, 255), outline=INK)
        draw.line([(5 * s, 16 * s), (18 * s, 16 * s)], fill=(20, 90, 200), width=max(1, int(2 * s)))
        images.append(image)
    images[0].save(os.path.join(OUT, "quarrow.ico"), sizes=[(48, 48), (32, 32), (16, 16)],
                   append_images=images[1:])


# ---- Roadway geometry page ----
# Drawn SS times larger and scaled down, so thin lines and small type stay smooth.
SS = 4
SURFACE = (70, 70, 74)
BASE = (214, 190, 140)
SUBGRADE = (196, 164, 122)
WATER = (20, 90, 200)
PAPER = (252, 252, 248)
DIM = (150, 30, 30)


class Sketch:
    """A picture drawn in pixel coordinates of the final size on an SS-times larger canvas."""

    def __init__(self, width, height, background=PAPER, frame=True):
        self.width, self.height = width, height
        self.image = Image.new("RGB", (width * SS, height * SS), background)
        self.draw = ImageDraw.Draw(self.image)
        self.frame = frame

    def p(self, points):
        return [(x * SS, y * SS) for x, y in points]

    def line(self, points, fill=INK, width=1.0):
        self.draw.line(self.p(points), fill=fill, width=max(1, int(width * SS)), joint="curve")

    def polygon(self, points, fill=None, outline=None, width=1.0):
        self.draw.polygon(self.p(points), fill=fill, outline=outline, width=max(1, int(width * SS)))

    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=1.0):
        self.draw.rectangle([x0 * SS, y0 * SS, x1 * SS, y1 * SS], fill=fill, outline=outline,
                            width=max(1, int(width * SS)))

    def circle(self, cx, cy, r, fill=None, outline=INK, width=1.0):
        self.draw.ellipse([(cx - r) * SS, (cy - r) * SS, (cx + r) * SS, (cy + r) * SS], fill=fill,
                          outline=outline, width=max(1, int(width * SS)))

    def text(self, x, y, text, face, fill=INK, anchor="la"):
        self.draw.text((x * SS, y * SS), text, font=face, fill=fill, anchor=anchor)

    def textlength(self, text, face):
        return self.draw.textlength(text, font=face) / SS

    def arrow(self, x0, y0, x1, y1, fill=WATER, width=1.5, head=5.0, both=False):
        self.line([(x0, y0), (x1, y1)], fill=fill, width=width)
        ends = [((x0, y0), (x1, y1))] + ([((x1, y1), (x0, y0))] if both else [])
        for (ax, ay), (bx, by) in ends:
            length = math.hypot(bx - ax, by - ay) or 1.0
            ux, uy = (bx - ax) / length, (by - ay) / length
            self.polygon([(bx, by), (bx - head * ux + head * 0.45 * uy, by - head * uy - head * 0.45 * ux),
                          (bx - head * ux - head * 0.45 * uy, by - head * uy + head * 0.45 * ux)], fill=fill)

    def dimension(self, x0, x1, y, label, face, tick=4.0):
        """A horizontal dimension line with end ticks and its label above the middle."""
        self.arrow(x0, y, x1, y, fill=DIM, width=1.0, head=4.0, both=True)
        self.line([(x0, y - tick), (x0, y + tick)], fill=DIM)
        self.line([(x1, y - tick), (x1, y + tick)], fill=DIM)
        if label:
            half = self.textlength(label, face) / 2 + 2
            centre = (x0 + x1) / 2
            self.rect(centre - half, y - 13, centre + half, y - 1.5, fill=PAPER)
            self.text(centre, y - 2, label, face, fill=DIM, anchor="mb")

    def save(self, name, colours=256):
        image = self.image.resize((self.width, self.height), Image.LANCZOS)
        if self.frame:
            ImageDraw.Draw(image).rectangle([0, 0, self.width - 1, self.height - 1], outline=EDGE)
        image.quantize(colours).save(os.path.join(OUT, name + ".bmp"))


def italic(size):
    return font(size * SS, "-Italic")


def upright(size):
    return font(size * SS)


def label(size):
    return sans(size * SS)


def formula(name, parts, height=24, size=13):
    """A formula on a tile: parts are (text, kind) with kind "" upright, "i" italic, "sub" an italic
    subscript, "sup" an upright superscript ("sup" right after a "sub" stands above it), or "sqrt("
    ... ")sqrt" around a drawn radical."""
    normal, sub, sup = italic(size), italic(size - 4), upright(size - 4)
    faces = {"": upright(size), "i": normal, "sub": sub, "sup": sup}
    probe = Sketch(1, 1)
    width = 10.0
    for text, kind in parts:
        width += 9 if kind in ("sqrt(", ")sqrt") else probe.textlength(text, faces[kind])
    sketch = Sketch(int(width + 0.5), height, background=TILE)
    base = height / 2 + 5
    x = 5.0
    radical_start = None
    sub_start = None
    for text, kind in parts:
        if kind == "sqrt(":
            top = base - 14
            sketch.line([(x, base - 5), (x + 2, base - 6), (x + 5, base + 2), (x + 8, top), (x + 9, top)],
                        width=1.1)
            radical_start = x + 8
            x += 9
            continue
        if kind == ")sqrt":
            sketch.line([(radical_start, base - 14), (x + 1, base - 14)], width=1.1)
            x += 9
            continue
        y = base + (4 if kind == "sub" else -7 if kind == "sup" else 0)
        if kind == "sup" and sub_start is not None:
            sub_end = x
            sketch.text(sub_start, y, text, faces[kind], anchor="ls")
            x = max(sub_end, sub_start + sketch.textlength(text, faces[kind]))
        else:
            sketch.text(x, y, text, faces[kind], anchor="ls")
            x += sketch.textlength(text, faces[kind])
        sub_start = x - sketch.textlength(text, faces[kind]) if kind == "sub" else None
    sketch.save(name)


def calculator():
    """The compute buttons' picture: a pocket calculator."""
    sketch = Sketch(20, 20, background=(236, 236, 236), frame=False)
    sketch.rect(3, 1, 16, 18, fill=(64, 72, 92), outline=(30, 34, 46))
    sketch.rect(5, 3, 14, 6.5, fill=(196, 226, 190), outline=(30, 34, 46), width=0.6)
    for row in range(3):
        for column in range(3):
            x, y = 5 + column * 3.3, 8.6 + row * 3.1
            key = (240, 170, 60) if (row, column) == (2, 2) else (236, 236, 236)
            sketch.rect(x, y, x + 2.3, y + 2.1, fill=key)
    sketch.save("calculator")


def plan(name, crowned):
    """Plan view of a two-lane road: the water's path over the base to the edge drains."""
    width, height = 150, 104
    sketch = Sketch(width, height)
    small = label(9)
    left, right, top, bottom = 22, 116, 8, 84
    sketch.rect(left - 8, top, left, bottom, fill=BASE)
    sketch.rect(right, top, right + 8, bottom, fill=BASE)
    sketch.rect(left, top, right, bottom, fill=(206, 206, 210), outline=SURFACE)
    middle = (left + right) / 2
    for y in range(top + 3, bottom, 12):
        sketch.line([(middle, y), (middle, y + 6)], fill=(250, 250, 250), width=1.4)
    drains = [left - 8, right + 8] if crowned else [right + 8]
    for x in drains:
        sketch.line([(x, top), (x, bottom)], fill=WATER, width=2.2)
    # The road falls along its length (downwards in the picture) and across it to the drains.
    if crowned:
        for y in (18, 44):
            sketch.arrow(middle - 3, y, left - 4, y + 22)
            sketch.arrow(middle + 3, y, right + 4, y + 22)
    else:
        for y in (14, 40):
            sketch.arrow(left + 4, y, right + 4, y + 26)
    sketch.arrow(right + 16, top + 6, right + 16, bottom - 8, fill=INK, width=1.0, head=4)
    sketch.text(right + 18, (top + bottom) / 2, "S", italic(10), anchor="lm")
    sketch.text(width / 2, height - 3, "Plan, geometry " + ("A" if crowned else "B"), small, anchor="mb")
    sketch.save(name)


def cutaway(name, crowned):
    """Cross-section: surface, permeable base and edge drains, with b, c and W measured."""
    width, height = 312, 112
    sketch = Sketch(width, height)
    sym, small = italic(11), label(9)
    pave_left, pave_right = 56, 256
    base_left, base_right = 26, 286
    middle = (pave_left + pave_right) / 2
    top, rise, depth = 48, 6, 16

    def surface_y(x):
        x = min(max(x, pave_left), pave_right)
        if crowned:
            return top + rise * abs(x - middle) / ((pave_right - pave_left) / 2)
        return top + 2 * rise * (x - pave_left) / (pave_right - pave_left)

    def base_y(x):
        return surface_y(x) + 8

    xs = [base_left] + [pave_left + i * (pave_right - pave_left) / 20 for i in range(21)] + [base_right]
    base_top = [(x, base_y(x)) for x in xs]
    base_bottom = [(x, y + depth) for x, y in reversed(base_top)]
    sketch.polygon(base_bottom + [(base_left, 96), (base_right, 96)], fill=SUBGRADE)
    sketch.polygon(base_top + base_bottom, fill=BASE, outline=(120, 96, 60))
    pavement = [x for x in xs if pave_left <= x <= pave_right]
    sketch.polygon([(x, surface_y(x)) for x in pavement] + [(x, base_y(x)) for x in reversed(pavement)],
                   fill=SURFACE)
    # Edge drains at the low edge(s): a trench down into the subgrade with its pipe.
    for x in ([base_left, base_right] if crowned else [base_right]):
        trench = x - 12 if x == base_right else x
        sketch.rect(trench, base_y(x) + 4, trench + 12, 94, fill=(224, 206, 160), outline=(90, 70, 40))
        sketch.circle(trench + 6, 86, 4, fill=(255, 255, 255), outline=WATER, width=1.4)
    # Water through the base to the drains.
    if crowned:
        sketch.arrow(middle - 10, base_y(middle - 10) + 8, base_left + 16, base_y(base_left) + 8)
        sketch.arrow(middle + 10, base_y(middle + 10) + 8, base_right - 16, base_y(base_right) + 8)
    else:
        sketch.arrow(pave_left, base_y(pave_left) + 8, base_right - 16, base_y(base_right) + 8)
    # Measures: b across the pavement, c beyond each edge, W the width that drains to one drain.
    for x, upto in [(pave_left, 8), (pave_right, 8), (base_left, 34), (base_right, 20)]:
        sketch.line([(x, base_y(x) - 10 if x in (base_left, base_right) else surface_y(x) - 2), (x, upto)],
                    fill=DIM, width=0.6)
    sketch.dimension(pave_left, pave_right, 12, "b", sym)
    sketch.dimension(base_left, pave_left, 40, "c", sym)
    sketch.dimension(pave_right, base_right, 40, "c", sym)
    if crowned:
        sketch.line([(middle, surface_y(middle) - 2), (middle, 20)], fill=DIM, width=0.6)
        sketch.dimension(middle, base_right, 26, "W = b/2 + c", sym)
    else:
        sketch.line([(base_left, 34), (base_left, 20)], fill=DIM, width=0.6)
        sketch.dimension(base_left, base_right, 26, "W = b + 2c", sym)
    sketch.text(6, 107, "Geometry " + ("A: crowned, drains on both edges" if crowned else
                                       "B: uniform cross slope, drain on the low edge"), small, anchor="ls")
    sketch.save(name)


def flow_path():
    """A plan of the base between two joints: the water runs down the resultant slope."""
    width, height = 312, 112
    sketch = Sketch(width, height)
    sym, sub, small = italic(11), italic(8), label(9)
    x0, y0, x1, y1 = 60, 14, 250, 84
    sketch.rect(x0, y0, x1, y1, fill=BASE, outline=(120, 96, 60))
    sketch.line([(x0, y1), (x1, y1)], fill=WATER, width=2.2)
    sketch.text(x1 + 6, y1, "edge drain", small, fill=WATER, anchor="lm")
    # Across the road: W and the cross slope; along it: the longitudinal slope.
    sketch.arrow(x0 - 14, y0, x0 - 14, y1, fill=DIM, width=1.0, head=4, both=True)
    sketch.line([(x0 - 18, y0), (x0 - 10, y0)], fill=DIM)
    sketch.line([(x0 - 18, y1), (x0 - 10, y1)], fill=DIM)
    sketch.text(x0 - 18, (y0 + y1) / 2, "W", sym, fill=DIM, anchor="rm")
    sketch.arrow(x0 + 14, y0 + 8, x0 + 14, y1 - 8, fill=INK, width=1.0, head=4)
    sketch.text(x0 + 18, (y0 + y1) / 2, "S", sym, anchor="lm")
    sketch.text(x0 + 18 + sketch.textlength("S", sym), (y0 + y1) / 2 + 4, "x", sub, anchor="lm")
    sketch.arrow(x0 + 40, y0 + 10, x0 + 120, y0 + 10, fill=INK, width=1.0, head=4)
    sketch.text(x0 + 124, y0 + 10, "S", sym, anchor="lm")
    # The resultant path from the high edge to the drain.
    sketch.arrow(x0 + 40, y0 + 2, x1 - 30, y1 - 2, fill=WATER, width=2.0, head=6)
    mid_x, mid_y = (x0 + 40 + x1 - 30) / 2, (y0 + y1) / 2
    sketch.text(mid_x + 10, mid_y - 6, "L", sym, fill=WATER, anchor="ls")
    lx = mid_x + 10 + sketch.textlength("L", sym)
    sketch.text(lx, mid_y - 3, "R", sub, fill=WATER, anchor="ls")
    lx += sketch.textlength("R", sub)
    sketch.text(lx, mid_y - 6, ",  S", sym, fill=WATER, anchor="ls")
    sx = lx + sketch.textlength(",  S", sym)
    sketch.text(sx, mid_y - 3, "R", sub, fill=WATER, anchor="ls")
    sketch.text(6, 106, "Flow path through the base", small, anchor="ls")
    sketch.save("flow_path")


def roadway_pictures():
    for name, main, sub in [("symbol_b", "b", ""), ("symbol_c", "c", ""), ("symbol_s", "S", ""),
                            ("symbol_sx", "S", "x")]:
        symbol(name, main, sub)
    calculator()
    formula("formula_width_a", [("W", "i"), (" = ", ""), ("b", "i"), ("/2 + ", ""), ("c", "i")])
    formula("formula_width_b", [("W", "i"), (" = ", ""), ("b", "i"), (" + 2", ""), ("c", "i")])
    formula("formula_slope", [("S", "i"), ("R", "sub"), (" = ", ""), ("", "sqrt("), ("S", "i"), ("2", "sup"),
                              (" + ", ""), ("S", "i"), ("x", "sub"), ("2", "sup"), ("", ")sqrt")], height=26)
    formula("formula_length", [("L", "i"), ("R", "sub"), (" = ", ""), ("W", "i"), (" ", ""), ("", "sqrt("), ("1 + (", ""),
                               ("S", "i"), (" / ", ""), ("S", "i"), ("x", "sub"), (")", ""), ("2", "sup"),
                               ("", ")sqrt")], height=26)
    plan("plan_a", True)
    plan("plan_b", False)
    cutaway("cutaway_a", True)
    cutaway("cutaway_b", False)
    flow_path()


# ---- Separator page ----

def balance():
    """The check button's picture: a balance weighing one side against the other."""
    sketch = Sketch(20, 20, background=(236, 236, 236), frame=False)
    sketch.rect(9.3, 4, 10.7, 16.5, fill=(64, 72, 92))
    sketch.rect(5, 16.5, 15, 18, fill=(64, 72, 92))
    sketch.line([(2.5, 5), (17.5, 5)], fill=(30, 34, 46), width=1.2)
    sketch.circle(10, 3.5, 1.4, fill=(240, 170, 60), outline=(30, 34, 46), width=0.6)
    for x in (4.5, 15.5):
        sketch.line([(x, 5), (x - 2.5, 10.5)], fill=(30, 34, 46), width=0.6)
        sketch.line([(x, 5), (x + 2.5, 10.5)], fill=(30, 34, 46), width=0.6)
        sketch.polygon([(x - 3.5, 10.5), (x + 3.5, 10.5), (x + 2, 12.5), (x - 2, 12.5)], fill=(240, 170, 60),
                       outline=(30, 34, 46), width=0.6)
    sketch.save("balance")


def grain(size, layer):
    """D with its percent below and the layer above, as the criteria name a grain size."""
    return [("D", "i"), (size, "sub"), (layer, "sup")]


def separator_pictures():
    for name, main, sub in [("sp_symbol_d12", "D", "12"), ("sp_symbol_d15", "D", "15"), ("sp_symbol_d50", "D", "50"),
                            ("sp_symbol_d85", "D", "85"), ("sp_symbol_p200", "P", "200"), ("sp_symbol_cu", "C", "u"),
                            ("sp_symbol_kmin", "k", "min"), ("sp_symbol_ksep", "k", "sep"),
                            ("sp_symbol_tmax", "t", "max")]:
        symbol(name, main, sub)
    symbol("sp_symbol_aos", "AOS", upright_main=True)
    balance()
    at_most, at_least = " \u2264 ", " \u2265 "
    # The filter criteria beside their verdicts: no separator, then an aggregate separator.
    formula("sp_none_base_d15", grain("15", "base") + [(at_most + "5", "")] + grain("85", "subgrade"))
    formula("sp_none_base_d50", grain("50", "base") + [(at_most + "25", "")] + grain("50", "subgrade"))
    formula("sp_agg_base_d15", grain("15", "base") + [(at_most + "5", "")] + grain("85", "separator"))
    formula("sp_agg_base_d50", grain("50", "base") + [(at_most + "25", "")] + grain("50", "separator"))
    formula("sp_agg_sep_d15", grain("15", "separator") + [(at_most + "5", "")] + grain("85", "subgrade"))
    formula("sp_agg_sep_d50", grain("50", "separator") + [(at_most + "25", "")] + grain("50", "subgrade"))
    formula("sp_agg_sep_d12", grain("12", "separator") + [(at_least + "#200", "")])
    # A geotextile: its opening size, the subgrade's uniformity and the permeabilities.
    formula("sp_geo_aos", [("AOS" + at_least + "3", "")] + grain("15", "subgrade"))
    formula("sp_geo_cu", [("C", "i"), ("u", "sub"), (at_least + "3", "")])
    formula("sp_geo_k", [("k", "i"), ("separator", "sub"), (" > ", ""), ("k", "i"), ("subgrade", "sub")])
    formula("sp_geo_kmin", [("k", "i"), ("separator", "sub"), (" > ", ""), ("k", "i"), ("min", "sub")])
    formula("sp_geo_k10", [("k", "i"), ("separator", "sub"), (" > 10 ", ""), ("k", "i"), ("subgrade", "sub")])


# ---- Inflow page, heave and meltwater dialogs ----

def mean():
    """The typical-ratio button's picture: an x with a bar over it (the mean)."""
    sketch = Sketch(20, 20, background=(236, 236, 236), frame=False)
    sketch.text(10, 17, "x", italic(15), anchor="ms")
    sketch.line([(5, 4.5), (15, 4.5)], width=1.3)
    sketch.save("mean")


def line_picture(name, width, height):
    """A reading line of the meltwater chart: one pixel wide, solid."""
    Image.new("RGB", (width, height), (210, 20, 20)).save(os.path.join(OUT, name + ".bmp"))


# The meltwater chart, in its own pixels (500 x 569). Its calibration is fixed by the dialog's
# constants: q_m/sqrt(k) = 0.1, 0.5 and 2.0 at x = 84, 267 and 418 (each stretch logarithmic);
# heave 0.5 and 20 mm/day at y = 453 and 57 (logarithmic).
CHART_W, CHART_H = 500, 569
PLOT_LEFT, PLOT_RIGHT, PLOT_TOP, PLOT_BOTTOM = 63, 440, 40, 472


def chart_x(ratio):
    if ratio <= 0.5:
        return 84 + 183 * math.log(ratio / 0.1) / math.log(5)
    return 267 + 151 * math.log(ratio / 0.5) / math.log(4)


def chart_y(heave):
    return 453 - 396 * math.log(heave / 0.5) / math.log(40)


# Points (q_m/sqrt(k), average rate of heave in mm/day) of the four pavement-load curves. The
# chart's description fixes its axes and calibration but gives no points for the curves, and no
# digitised source was at hand; these are our own tabulation of straight, parallel lines in the
# chart's log-log co-ordinates, q_m/sqrt(k) = 0.16 * (h / 0.5)^0.62 * (sigma_p / 100)^0.3: more
# meltwater at a faster heave and, for the same heave, more under a heavier pavement (the thawing
# soil is squeezed harder). They illustrate the chart's use; they are not design data.
MELTWATER_CURVES = {
    100: [(0.160, 0.5), (0.246, 1.0), (0.378, 2.0), (0.667, 5.0), (1.025, 10.0), (1.575, 20.0)],
    200: [(0.197, 0.5), (0.303, 1.0), (0.465, 2.0), (0.821, 5.0), (1.262, 10.0), (1.940, 20.0)],
    300: [(0.222, 0.5), (0.342, 1.0), (0.525, 2.0), (0.927, 5.0), (1.425, 10.0), (2.190, 20.0)],
    400: [(0.243, 0.5), (0.373, 1.0), (0.573, 2.0), (1.011, 5.0), (1.554, 10.0), (2.388, 20.0)],
}

# Frost-susceptibility classes by average rate of heave (mm/day), shown beside the heave axis, as the
# heave table of the heave dialog pairs them: 0.8 mm/day very low, 3.0 medium, 5.0 high, 14 to 25
# very high. The outer classes run to the edges of the plot.
HEAVE_BELOW_PLOT, HEAVE_ABOVE_PLOT = 0.4, 24.0
FROST_CLASSES = [("Negligible", HEAVE_BELOW_PLOT, 0.5), ("Very Low", 0.5, 1.0), ("Low", 1.0, 2.0),
                 ("Medium", 2.0, 4.0), ("High", 4.0, 8.0), ("Very High", 8.0, HEAVE_ABOVE_PLOT)]


def meltwater_chart():
    sketch = Sketch(CHART_W, CHART_H, background=(255, 255, 255), frame=False)
    tick, small, axis = label(10), label(9), label(11)
    grid = (200, 206, 216)
    sketch.rect(PLOT_LEFT, PLOT_TOP, PLOT_RIGHT, PLOT_BOTTOM, fill=(250, 251, 253))
    # Grid lines and marks: every tenth on the logarithmic stretches, labels at the marks.
    for ratio in [0.09, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 2.0]:
        x = chart_x(ratio)
        if PLOT_LEFT < x < PLOT_RIGHT:
            sketch.line([(x, PLOT_TOP), (x, PLOT_BOTTOM)], fill=grid, width=0.5)
    for heave in [0.5, 0.6, 0.7, 0.8, 0.9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 20]:
        y = chart_y(heave)
        sketch.line([(PLOT_LEFT, y), (PLOT_RIGHT, y)], fill=grid, width=0.5)
    for ratio, text in [(0.1, "0.1"), (0.2, "0.2"), (0.5, "0.5"), (1.0, "1.0"), (2.0, "2.0")]:
        x = chart_x(ratio)
        sketch.line([(x, PLOT_TOP), (x, PLOT_BOTTOM)], fill=(150, 160, 176), width=0.8)
        sketch.line([(x, PLOT_BOTTOM), (x, PLOT_BOTTOM + 6)], width=1.0)
        sketch.text(x, PLOT_BOTTOM + 8, text, tick, anchor="mt")
    for heave, text in [(0.5, "0.5"), (1, "1.0"), (2, "2.0"), (5, "5.0"), (10, "10.0"), (20, "20.0")]:
        y = chart_y(heave)
        sketch.line([(PLOT_LEFT, y), (PLOT_RIGHT, y)], fill=(150, 160, 176), width=0.8)
        sketch.line([(PLOT_LEFT - 6, y), (PLOT_LEFT, y)], width=1.0)
        sketch.text(PLOT_LEFT - 8, y, text, tick, anchor="rm")
    sketch.rect(PLOT_LEFT, PLOT_TOP, PLOT_RIGHT, PLOT_BOTTOM, outline=INK, width=1.2)

    # The four load curves, named in a key at the upper left where the chart is empty.
    colours = {100: (20, 90, 200), 200: (20, 130, 70), 300: (170, 100, 10), 400: (130, 40, 150)}
    sketch.rect(PLOT_LEFT + 10, PLOT_TOP + 10, PLOT_LEFT + 118, PLOT_TOP + 84, fill=(255, 255, 255), outline=EDGE)
    sketch.text(PLOT_LEFT + 16, PLOT_TOP + 14, "Pavement load", small, anchor="lt")
    for row, (load, points) in enumerate(MELTWATER_CURVES.items()):
        xy = [(chart_x(r), chart_y(h)) for r, h in points]
        sketch.line(xy, fill=colours[load], width=1.6)
        y = PLOT_TOP + 34 + row * 14
        sketch.line([(PLOT_LEFT + 16, y), (PLOT_LEFT + 36, y)], fill=colours[load], width=1.6)
        sketch.text(PLOT_LEFT + 42, y, "\u03c3", italic(10), anchor="lm")
        sx = PLOT_LEFT + 42 + sketch.textlength("\u03c3", italic(10))
        sketch.text(sx, y + 3, "p", italic(7), anchor="lm")
        sketch.text(sx + 5, y, " = %d psf" % load, small, anchor="lm")

    # Frost-susceptibility classes right of the plot, each beside its band of heave rates.
    right = PLOT_RIGHT + 4
    classes = label(8)
    sketch.draw.multiline_text(((right + 1) * SS, (PLOT_TOP - 4) * SS), "Frost\nclass", font=classes, fill=INK,
                               anchor="ld", spacing=0)
    for name, low, high in FROST_CLASSES:
        top, bottom = max(chart_y(high), PLOT_TOP), min(chart_y(low), PLOT_BOTTOM)
        sketch.line([(right, top), (right + 5, top)], width=0.8)
        sketch.line([(right, bottom), (right + 5, bottom)], width=0.8)
        sketch.line([(right + 2.5, top), (right + 2.5, bottom)], width=0.8)
        sketch.draw.multiline_text(((right + 8) * SS, (top + bottom) / 2 * SS), name.replace(" ", "\n"),
                                   font=classes, fill=INK, anchor="lm", spacing=0)

    # Axis titles.
    sketch.text((PLOT_LEFT + PLOT_RIGHT) / 2, PLOT_BOTTOM + 30, "q", italic(13), anchor="ma")
    qx = (PLOT_LEFT + PLOT_RIGHT) / 2 + sketch.textlength("q", italic(13)) / 2
    sketch.text(qx, PLOT_BOTTOM + 38, "m", italic(9), anchor="la")
    sketch.text(qx + 7, PLOT_BOTTOM + 30, " / \u221ak", upright(13), anchor="la")
    sketch.text((PLOT_LEFT + PLOT_RIGHT) / 2, PLOT_BOTTOM + 54, "(inflow in ft\u00b3/d/ft\u00b2, permeability in ft/day)", small,
                anchor="ma")
    title = Image.new("RGB", ((PLOT_BOTTOM - PLOT_TOP) * SS, 16 * SS), (255, 255, 255))
    ImageDraw.Draw(title).text(((PLOT_BOTTOM - PLOT_TOP) * SS / 2, 8 * SS), "Average rate of heave (mm/day)",
                               font=axis, fill=INK, anchor="mm")
    sketch.image.paste(title.rotate(90, expand=True), (2 * SS, PLOT_TOP * SS))
    sketch.text(CHART_W / 2, 8, "Meltwater inflow from frost heave", axis, anchor="mt")
    # The curves are not the published ones (see MELTWATER_CURVES): the chart says so.
    sketch.text(CHART_W / 2, CHART_H - 6, "Curves illustrative; for design read q_m from the published chart and type it",
                label(8), fill=DIM, anchor="mb")
    sketch.save("meltwater_chart")


def inflow_pictures():
    mean()
    for name, main, sub, underline in [("symbol_ratio_c", "C", "", False), ("symbol_r", "R", "", False),
                                       ("symbol_ic", "I", "c", False), ("symbol_nc", "N", "c", False),
                                       ("symbol_wc", "W", "c", True), ("symbol_w_link", "W", "", True),
                                       ("symbol_cs", "C", "s", False), ("symbol_kp", "k", "p", False),
                                       ("symbol_ksub", "k", "sub", False), ("symbol_gamma_s", "\u03b3", "s", False),
                                       ("symbol_gamma_b", "\u03b3", "b", False), ("symbol_hs", "H", "s", False),
                                       ("symbol_hb_link", "H", "b", True), ("symbol_load", "\u03c3", "", False)]:
        symbol(name, main, sub, underline)
    symbol("symbol_heave", "Heave", upright_main=True)
    unit("load_english", [("lb/ft", False), ("2", True)])
    unit("load_metric", [("kg/m", False), ("2", True)])
    unit("density_english", [("lb/ft", False), ("3", True)])
    unit("density_metric", [("kg/m", False), ("3", True)])
    unit("crack_english", [("ft", False), ("3", True), ("/ft/d", False)])
    unit("crack_metric", [("m", False), ("3", True), ("/m/s", False)])
    formula("formula_ratio", [("q", "i"), ("i", "sub"), (" = ", ""), ("C R F", "i")])
    formula("formula_crack", [("q", "i"), ("i", "sub"), (" = ", ""), ("I", "i"), ("c", "sub"), (" [", ""),
                              ("N", "i"), ("c", "sub"), ("/", ""), ("W", "i"), (" + ", ""), ("W", "i"), ("c", "sub"),
                              ("/(", ""), ("W C", "i"), ("s", "sub"), (")] + ", ""), ("k", "i"), ("p", "sub")])
    formula("formula_load", [("\u03c3", "i"), (" = ", ""), ("\u03b3", "i"), ("s", "sub"), (" H", "i"), ("s", "sub"),
                             (" + ", ""), ("\u03b3", "i"), ("b", "sub"), (" H", "i"), ("b", "sub")])
    formula("symbol_qm_root_k", [("q", "i"), ("m", "sub"), (" / ", ""), ("", "sqrt("), ("k", "i"), ("", ")sqrt")],
            height=26)
    meltwater_chart()
    line_picture("meltwater_vline", 1, 535)
    line_picture("meltwater_hline", 394, 1)


# ---- Permeable base page ----

def plot_button():
    """The plot buttons' picture: two curves on a small chart."""
    sketch = Sketch(20, 20, background=(236, 236, 236), frame=False)
    sketch.rect(2, 2, 17, 17, fill=(255, 255, 255), outline=(30, 34, 46), width=0.6)
    sketch.line([(4, 15), (7, 10), (10, 8), (14, 6), (16, 5)], fill=(200, 40, 40), width=1.0)
    sketch.line([(4, 15), (8, 14), (11, 12), (16, 9)], fill=WATER, width=1.0)
    sketch.save("plot_button")


def symbol_parts(name, parts, underline=False, size=14, margin=8):
    """A symbol of several pieces: parts are (text, subscript) pairs, drawn like symbol()."""
    big, small = font(size, "-Italic"), font(9, "-Italic")
    probe = ImageDraw.Draw(Image.new("RGB", (1, 1)))
    widths = [probe.textlength(text, font=small if sub else big) for text, sub in parts]
    width = max(26, int(sum(widths) + margin))
    image, draw = tile(width, 20)
    x = (width - sum(widths)) / 2
    start = x
    for (text, sub), text_width in zip(parts, widths):
        draw.text((x, 9 if sub else 1), text, font=small if sub else big, fill=INK)
        x += text_width
    if underline:
        draw.line([(start, 17), (x, 17)], fill=INK)
    image.save(os.path.join(OUT, name + ".bmp"))


def permeable_base_pictures():
    plot_button()
    for name, main, sub, underline in [("symbol_ne_link", "n", "e", True), ("symbol_k_link", "k", "", True),
                                       ("symbol_n_link", "n", "", True), ("symbol_sr_link", "S", "R", True),
                                       ("symbol_lr_link", "L", "R", True), ("symbol_psat", "P", "sat", False),
                                       ("symbol_hmin", "H", "min", False)]:
        symbol(name, main, sub, underline)
    # Narrow enough for the place of a one-letter symbol beside its edit, on this page and the edge
    # drain page.
    symbol_parts("symbol_total_inflow_link", [("q", False), ("i", True), ("+q", False), ("m", True)], True, size=13,
                 margin=4)
    formula("formula_time_to_drain", [("t", "i"), (" = 24 ", ""), ("T m", "i"), (",    ", ""), ("m", "i"),
                                      (" = ", ""), ("n", "i"), ("e", "sub"), (" L", "i"), ("2", "sup"),
                                      (" / (", ""), ("k H", "i"), (")", "")])


# ---- Edge drain page ----

def pipe_cutaway():
    """A pipe edge drain in its trench beside the permeable base, the separator layer and the
    geotextile that wraps the trench."""
    width, height = 278, 264
    sketch = Sketch(width, height)
    small = label(9)
    top = 40
    sketch.rect(10, top - 14, 150, top, fill=SURFACE)
    sketch.rect(10, top, 150, top + 30, fill=BASE, outline=(120, 96, 60))
    sketch.rect(10, top + 30, 150, top + 46, fill=(170, 160, 150), outline=(90, 90, 90))
    sketch.rect(10, top + 46, 268, 236, fill=SUBGRADE)
    # The trench beside the base, wrapped in geotextile, with the pipe near its bottom.
    sketch.rect(150, top - 14, 268, top, fill=(150, 170, 110))
    sketch.rect(170, top, 240, 220, fill=(224, 206, 160), outline=(40, 90, 40), width=2.0)
    sketch.circle(205, 190, 18, fill=(255, 255, 255), outline=WATER, width=2.2)
    for angle in range(0, 360, 30):
        x = 205 + 12 * math.cos(math.radians(angle))
        y = 190 + 12 * math.sin(math.radians(angle))
        sketch.circle(x, y, 1.3, fill=WATER, outline=WATER)
    sketch.arrow(40, top + 15, 165, top + 22)
    sketch.arrow(205, top + 40, 205, 165)
    sketch.text(14, top + 15, "Permeable base", small, anchor="lm")
    sketch.text(14, top + 38, "Separator layer", small, anchor="lm")
    sketch.text(14, 200, "Subgrade", small, anchor="lm")
    # In two lines: the strip right of the trench is too narrow for the word in one.
    sketch.text(244, 104, "Geo-", small, anchor="lm")
    sketch.text(244, 116, "textile", small, anchor="lm")
    sketch.text(205, 228, "Pipe", small, anchor="mt")
    sketch.text(width / 2, 8, "Pipe edge drain", small, anchor="mt")
    sketch.save("pipe_cutaway")


def fin_drain_section():
    """A fin drain between two outlets: the flow zone D1 deep at the top falls to D2 at the outlet pipe
    over the outlet spacing L."""
    width, height = 278, 170
    sketch = Sketch(width, height)
    sym, small = italic(11), label(9)
    left, right, ground, bottom = 20, 258, 30, 140
    sketch.rect(left, ground, right, bottom, fill=SUBGRADE, outline=(90, 70, 40))
    # The flow zone: deep at the top of the drain, shallow at the outlet.
    zone = [(left, bottom - 60), (right - 20, bottom - 24), (right - 20, bottom), (left, bottom)]
    sketch.polygon(zone, fill=(180, 210, 240), outline=WATER)
    sketch.line([(left, ground + 18), (right - 20, ground + 18)], fill=INK, width=0.8)
    sketch.text(left + 4, ground + 12, "freeboard", small, anchor="lm")
    sketch.rect(right - 20, bottom - 28, right, bottom - 20, fill=(255, 255, 255), outline=WATER)
    sketch.text(right - 10, bottom - 34, "outlet", small, anchor="mb")
    sketch.line([(left, bottom), (right, bottom)], fill=INK, width=1.2)
    sketch.text(width / 2, bottom + 4, "trench bottom", small, anchor="mt")
    sketch.arrow(left + 10, bottom - 60, left + 10, bottom, fill=DIM, width=1.0, head=4, both=True)
    sketch.text(left + 14, bottom - 34, "D", sym, fill=DIM, anchor="lm")
    sketch.text(left + 14 + sketch.textlength("D", sym), bottom - 30, "1", small, fill=DIM, anchor="lm")
    sketch.arrow(right - 30, bottom - 24, right - 30, bottom, fill=DIM, width=1.0, head=4, both=True)
    sketch.text(right - 50, bottom - 12, "D", sym, fill=DIM, anchor="lm")
    sketch.text(right - 50 + sketch.textlength("D", sym), bottom - 8, "2", small, fill=DIM, anchor="lm")
    sketch.arrow(left + 30, bottom - 40, left + 90, bottom - 40, fill=INK, width=1.0, head=4)
    sketch.text(left + 94, bottom - 40, "x", sym, anchor="lm")
    sketch.dimension(left, right - 10, 20, "L", sym)
    sketch.save("fin_drain_section")


def edge_drain_pictures():
    for name, main, sub, underline in [("symbol_d1", "D", "1", False), ("symbol_d2", "D", "2", False),
                                       ("symbol_manning", "n", "manning", False), ("symbol_cg", "C", "g", False),
                                       ("symbol_s_long", "S", "", False), ("symbol_qi_link", "q", "i", True)]:
        symbol(name, main, sub, underline)
    # Between the approach radios and the pipe's cut-away: set closer than the other two formulas.
    formula("formula_spacing_ttd", [("L", "i"), ("o", "sub"), (" = ", ""), ("Qt", "i"), ("/(", ""), ("WHn", "i"),
                                    ("e", "sub"), ("U", "i"), (")", "")], size=12)
    formula("formula_fin_drain", [("Q", "i"), (" = ", ""), ("C D\u0304", "i"), (" [", ""), ("S", "i"), (" + (", ""),
                                  ("D", "i"), ("1", "sub"), (" \u2212 ", ""), ("D", "i"), ("2", "sub"), (")/", ""),
                                  ("L", "i"), ("]", ""), ("\u00bd", "sup")])
    formula("formula_spacing_infiltration", [("L", "i"), ("o", "sub"), (" = ", ""), ("Q", "i"), (" / (", ""),
                                             ("q", "i"), ("i", "sub"), (" W", "i"), (")", "")])
    formula("formula_spacing_permeable", [("L", "i"), ("o", "sub"), (" = ", ""), ("Q", "i"), (" / ", ""), ("q", "i"),
                                          ("d", "sub")])
    formula("formula_pipe", [("Q", "i"), (" = \u03c0 ", ""), ("K S", "i"), ("\u00bd", "sup"), (" D", "i"), ("8/3", "sup"),
                             (" / (4", ""), ("5/3", "sup"), (" n", "i"), (")", ""), (",   ", ""), ("K", "i"),
                             (" = 1 m", ""), ("1/3", "sup"), ("/s", "")], height=28)
    pipe_cutaway()
    fin_drain_section()


# ---- Sieve analysis page ----

def sieve_pictures():
    # The base's symbol is the permeable base page's link to this page (symbol_k_link).
    for name, sub in [("k_subgrade", "sub"), ("k_separator", "sep")]:
        symbol(name, "k", sub)


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    for name, main, sub in [("width", "W", ""), ("slope", "S", "R"), ("length", "L", "R"),
                            ("infiltration", "q", "i"), ("meltwater", "q", "m"), ("thickness", "H", ""),
                            ("drained", "U", ""), ("timetodrain", "t", "d"), ("discharge", "q", "d"),
                            ("diameter", "D", ""), ("spacing", "L", "o"), ("pipeflow", "Q", "")]:
        symbol(name, main, sub)
    unit("inflow_english", [("ft", False), ("3", True), ("/d/ft", False), ("2", True)])
    unit("inflow_metric", [("m", False), ("3", True), ("/s/m", False), ("2", True)])
    unit("discharge_english", [("ft", False), ("3", True), ("/d/ft", False)])
    unit("discharge_metric", [("m", False), ("3", True), ("/s/m", False)])
    unit("pipeflow_english", [("ft", False), ("3", True), ("/d", False)])
    unit("pipeflow_metric", [("m", False), ("3", True), ("/s", False)])
    roadway_pictures()
    inflow_pictures()
    permeable_base_pictures()
    edge_drain_pictures()
    sieve_pictures()
    splash()
    icon()
    separator_pictures()
