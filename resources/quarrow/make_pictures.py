#!/usr/bin/python3
"""Draws Quarrow's bitmaps and icon into res/. Run by hand after changing a picture (needs python3-pil);
the build only compiles the results."""
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


def symbol(name, main, sub=""):
    """A clickable summary symbol: an italic letter with an optional subscript on a tile."""
    image, draw = tile(26, 20)
    big, small = font(14, "-Italic"), font(9, "-Italic")
    main_width = draw.textlength(main, font=big)
    sub_width = draw.textlength(sub, font=small) if sub else 0
    x = (26 - main_width - sub_width) / 2
    draw.text((x, 1), main, font=big, fill=INK)
    if sub:
        draw.text((x + main_width, 9), sub, font=small, fill=INK)
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
    splash()
    icon()
