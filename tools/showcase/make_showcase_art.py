#!/usr/bin/env python3
"""Draws the pictures of the showcase skin and copies its markup beside them.

Every control of the showcase gets a colour of its own, so a picture of the
window tells at once which control sits where. The colours are listed once,
in PALETTE, and the end-to-end test reads them from the same table (it runs
this file with --palette).

usage: make_showcase_art.py <skin folder> <markup file>...
       make_showcase_art.py --palette
"""
import os
import shutil
import sys

from PIL import Image, ImageDraw

PALETTE = {
    'window': '#F4F5F7',
    'control': '#E53935',
    'label': '#1E88E5',
    'labelex': '#43A047',
    'text': '#FFF176',
    'button': '#FB8C00',
    'button_hot': '#FFA726',
    'button_pushed': '#EF6C00',
    'option_on': '#8E24AA',
    'option_off': '#B0BEC5',
    'check_on': '#00ACC1',
    'check_off': '#90A4AE',
    'progress_back': '#CFD8DC',
    'progress_fore': '#00897B',
    'slider_bar': '#5C6BC0',
    'slider_thumb': '#F4511E',
    'container': '#6D4C41',
    'container_child': '#FFCC80',
    'tile_1': '#EF5350', 'tile_2': '#AB47BC', 'tile_3': '#5C6BC0',
    'tile_4': '#29B6F6', 'tile_5': '#66BB6A', 'tile_6': '#FFCA28',
    'tab_page_1': '#EC407A',
    'tab_page_2': '#26A69A',
    'child_top': '#7E57C2',
    'child_rest': '#9CCC65',
    'scroll_1': '#8D6E63', 'scroll_2': '#78909C', 'scroll_3': '#D4E157', 'scroll_4': '#FF7043',
    'scroll_thumb': '#424242',
    'scroll_track': '#E0E0E0',
    'scrollbar_button': '#3949AB',
    'scrollbar_thumb': '#1A237E',
    'scrollbar_track': '#C5CAE9',
    'gif_1': '#D81B60', 'gif_2': '#FDD835', 'gif_3': '#039BE5',
    'sequence_0': '#C0CA33', 'sequence_1': '#00BFA5', 'sequence_2': '#6200EA', 'sequence_3': '#FF6D00',
    'rotate_top': '#00C853',
    'rotate_bottom': '#AA00FF',
    'sliderex_left': '#6A1B9A',
    'sliderex_rail': '#B39DDB',
    'sliderex_fill': '#FF4081',
    'sliderex_thumb': '#263238',
    'progressex_fore': '#2E7D32',
    'progressex_back': '#A5D6A7',
    'progressex_point': '#FFD600',
    'progressex_ring': '#D50000',
    'switch_back': '#80CBC4',
    'switch_knob': '#004D40',
    'custombutton': '#5D4037',
    'animoption': '#546E7A',
    'animoption_on': '#F57F17',
    'hover_0': '#E91E63', 'hover_1': '#9C27B0', 'hover_2': '#3F51B5',
}

# Hundredths of a second per frame of the animated picture.
GIF_DELAYS = (30, 20, 40)
SEQUENCE_FRAMES = 4
HOVER_FRAMES = 3


def rgb(name):
    digits = PALETTE[name].lstrip('#')
    return tuple(int(digits[i:i + 2], 16) for i in (0, 2, 4))


def flat(size, name):
    return Image.new('RGB', size, rgb(name))


def framed(size, fill, edge):
    """A flat picture with a one-pixel frame, the look of a push button."""
    image = flat(size, fill)
    ImageDraw.Draw(image).rectangle((0, 0, size[0] - 1, size[1] - 1), outline=rgb(edge))
    return image


def thumb(diameter, name):
    image = Image.new('RGBA', (diameter, diameter), (0, 0, 0, 0))
    ImageDraw.Draw(image).ellipse((1, 1, diameter - 2, diameter - 2), fill=rgb(name) + (255,))
    return image


def half_and_half(size, top, bottom):
    """Upper half one colour, lower half another: a turn shows at once."""
    image = flat(size, top)
    ImageDraw.Draw(image).rectangle((0, size[1] // 2, size[0] - 1, size[1] - 1), fill=rgb(bottom))
    return image


def ring(diameter, width, name):
    """A circle outline on transparency: what turns over the progress point."""
    image = Image.new('RGBA', (diameter, diameter), (0, 0, 0, 0))
    ImageDraw.Draw(image).ellipse((0, 0, diameter - 1, diameter - 1), outline=rgb(name) + (255,), width=width)
    return image


def animated_gif(path, size):
    frames = [flat(size, 'gif_%d' % (i + 1)).convert('P', palette=Image.ADAPTIVE) for i in range(3)]
    frames[0].save(path, save_all=True, append_images=frames[1:], duration=[d * 10 for d in GIF_DELAYS],
                   loop=0, disposal=1, optimize=False)


def draw_all(folder):
    os.makedirs(folder, exist_ok=True)
    out = lambda name: os.path.join(folder, name)
    framed((90, 36), 'button', 'button_pushed').save(out('button_normal.png'))
    framed((90, 36), 'button_hot', 'button_pushed').save(out('button_hot.png'))
    framed((90, 36), 'button_pushed', 'button_pushed').save(out('button_pushed.png'))
    flat((70, 36), 'option_on').save(out('option_on.png'))
    flat((70, 36), 'option_off').save(out('option_off.png'))
    flat((36, 20), 'check_on').save(out('check_on.png'))
    flat((36, 20), 'check_off').save(out('check_off.png'))
    flat((200, 24), 'progress_fore').save(out('progress_fore.png'))
    flat((200, 6), 'slider_bar').save(out('slider_bar.png'))
    thumb(24, 'slider_thumb').save(out('slider_thumb.png'))
    animated_gif(out('anim.gif'), (64, 64))
    for i in range(SEQUENCE_FRAMES):
        flat((64, 64), 'sequence_%d' % i).save(out('sequence%d.png' % i))
    half_and_half((64, 64), 'rotate_top', 'rotate_bottom').save(out('rotate.png'))
    flat((10, 8), 'sliderex_left').save(out('sliderex_left.png'))
    flat((190, 8), 'sliderex_rail').save(out('sliderex_rail.png'))
    flat((12, 16), 'sliderex_thumb').save(out('sliderex_thumb.png'))
    flat((206, 4), 'progressex_fore').save(out('progressex_fore.png'))
    flat((12, 12), 'progressex_point').save(out('progressex_point.png'))
    ring(24, 3, 'progressex_ring').save(out('progressex_ring.png'))
    flat((60, 28), 'switch_back').save(out('switch_back.png'))
    flat((20, 28), 'switch_knob').save(out('switch_knob.png'))
    flat((120, 40), 'custombutton').save(out('custombutton.png'))
    flat((70, 40), 'animoption').save(out('animoption.png'))
    flat((70, 40), 'animoption_on').save(out('animoption_on.png'))
    for i in range(HOVER_FRAMES):
        flat((70, 40), 'hover_%d' % i).save(out('hover%d.png' % i))


def main(argv):
    if argv[1:] == ['--palette']:
        for name, colour in PALETTE.items():
            print(name, colour.lstrip('#').upper())
        return 0
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    draw_all(argv[1])
    for markup in argv[2:]:
        shutil.copyfile(markup, os.path.join(argv[1], os.path.basename(markup)))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
