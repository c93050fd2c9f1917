#!/usr/bin/env python3
"""Draws the tool's icon (an eye on the window's blue) into a multi-size .ico.

usage: make_icon.py OUT.ico
The same bytes come out on every run: no timestamps, fixed drawing."""
import sys

from PIL import Image, ImageDraw

BLUE = (0x35, 0x5F, 0xE4, 255)
DEEP = (0x24, 0x47, 0xC6, 255)
WHITE = (255, 255, 255, 255)
SIZES = [16, 24, 32, 48, 64, 128, 256]
CANVAS = 1024  # drawn large, then reduced: smooth edges at every size


def draw_master():
    image = Image.new("RGBA", (CANVAS, CANVAS), (0, 0, 0, 0))
    pen = ImageDraw.Draw(image)
    pen.rounded_rectangle((32, 32, CANVAS - 32, CANVAS - 32), radius=220, fill=BLUE)
    # The eye: two arcs meeting at the corners, an iris and a pupil with a glint.
    cx, cy = CANVAS // 2, CANVAS // 2 + 20
    pen.ellipse((cx - 380, cy - 250, cx + 380, cy + 250), fill=WHITE)
    pen.ellipse((cx - 170, cy - 170, cx + 170, cy + 170), fill=DEEP)
    pen.ellipse((cx - 95, cy - 95, cx + 95, cy + 95), fill=(0x14, 0x25, 0x6E, 255))
    pen.ellipse((cx + 20, cy - 90, cx + 90, cy - 20), fill=WHITE)
    # A small moon: the warm, night-time screen.
    pen.ellipse((700, 130, 890, 320), fill=(0xFF, 0xB3, 0x4D, 255))
    pen.ellipse((650, 95, 840, 285), fill=BLUE)
    return image


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUT.ico")
    master = draw_master()
    largest = master.resize((256, 256), Image.LANCZOS)
    largest.save(sys.argv[1], format="ICO", sizes=[(s, s) for s in SIZES])


if __name__ == "__main__":
    main()
