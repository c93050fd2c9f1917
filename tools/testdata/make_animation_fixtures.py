#!/usr/bin/env python3
"""Builds the pictures the animated-picture control tests play, with PIL:

  three.gif          frames red, green, blue; delays 70, 120 and 300 ms
  zerodelay.gif      frames yellow, magenta; the first without a delay
  animskin.zip       both GIFs as a skin archive (deflated members)
  frame0..2.png      a numbered series: cyan, orange, grey
  halves.png         upper half black, lower half white, for turning

Each frame is one flat colour, so a painted pixel names the frame.

usage: make_animation_fixtures.py <output folder>
"""
import os
import sys
import zipfile

from PIL import Image

SIZE = (16, 16)
SERIES = ((0, 255, 255), (255, 128, 0), (128, 128, 128))
PICTURES = {
    'three.gif': (((255, 0, 0), 7), ((0, 255, 0), 12), ((0, 0, 255), 30)),
    'zerodelay.gif': (((255, 255, 0), 0), ((255, 0, 255), 5)),
}


def save_gif(path, frames):
    images = [Image.new('RGB', SIZE, colour).convert('P', palette=Image.ADAPTIVE) for colour, _ in frames]
    images[0].save(path, save_all=True, append_images=images[1:], loop=0, optimize=False,
                   duration=[hundredths * 10 for _, hundredths in frames], disposal=1)


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, frames in PICTURES.items():
        save_gif(os.path.join(folder, name), frames)
    for index, colour in enumerate(SERIES):
        Image.new('RGB', SIZE, colour).save(os.path.join(folder, 'frame%d.png' % index))
    halves = Image.new('RGB', (32, 32), (0, 0, 0))
    halves.paste((255, 255, 255), (0, 16, 32, 32))
    halves.save(os.path.join(folder, 'halves.png'))
    with zipfile.ZipFile(os.path.join(folder, 'animskin.zip'), 'w', zipfile.ZIP_DEFLATED) as archive:
        for name in PICTURES:
            archive.write(os.path.join(folder, name), name)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
