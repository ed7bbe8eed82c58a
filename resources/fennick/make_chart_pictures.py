#!/usr/bin/python3
"""Draws the chart edit dialog's tree images (res/tree.bmp) with the drawing helpers of
make_pictures.py. Run by hand after changing a picture; the build only compiles the result.

Fourteen 16 x 16 images on white (the image list's mask colour), in pairs of a selected and a normal
image: chart, components, component, annotation, data group, data item, value."""
import os

from make_pictures import (BLACK, BLUE, DARK_GREEN, FACE, GREY, NAVY, OUT, RED, WHITE, YELLOW, Canvas,
                           write_bmp4)


def chart(c, fill):
    c.rect(1, 1, 14, 14, outline=NAVY, fill=fill)
    c.line(3, 3, 3, 12, BLACK)
    c.line(3, 12, 13, 12, BLACK)
    c.line(4, 10, 7, 6, RED)
    c.line(7, 6, 12, 4, RED)


def components(c, fill):
    c.rect(1, 4, 14, 13, outline=BLACK, fill=fill)
    c.rect(1, 2, 6, 4, outline=BLACK, fill=fill)


def component(c, fill):
    c.rect(2, 3, 13, 12, outline=BLACK, fill=fill)
    c.rect(4, 5, 11, 7, outline=None, fill=BLUE)


def annotation(c, fill):
    c.rect(2, 2, 13, 11, outline=BLACK, fill=fill)
    c.line(4, 13, 6, 11, BLACK)
    for y in (5, 7, 9):
        c.line(4, y, 11, y, GREY)


def data_group(c, fill):
    c.rect(1, 1, 14, 14, outline=GREY, fill=fill)
    for x, top in ((3, 8), (7, 4), (11, 6)):
        c.rect(x, top, x + 2, 13, outline=BLACK, fill=DARK_GREEN)


def data_item(c, fill):
    c.rect(1, 1, 14, 14, outline=GREY, fill=fill)
    c.rect(6, 5, 9, 13, outline=BLACK, fill=DARK_GREEN)


def value(c, fill):
    c.rect(1, 3, 14, 12, outline=BLACK, fill=fill)
    for x in (4, 8):
        c.line(x, 5, x - 1, 10, NAVY)
    c.line(3, 6, 11, 6, NAVY)
    c.line(2, 9, 10, 9, NAVY)


def main():
    kinds = [chart, components, component, annotation, data_group, data_item, value]
    strip = Canvas(16 * 2 * len(kinds), 16, WHITE)
    for i, draw in enumerate(kinds):
        for j, fill in enumerate((YELLOW, FACE)):   # selected, then normal
            image = Canvas(16, 16, WHITE)
            draw(image, fill)
            strip.blit(image, 16 * (2 * i + j), 0)
    write_bmp4(os.path.join(OUT, "tree.bmp"), strip)


if __name__ == "__main__":
    main()
