"""Small control images: title-bar buttons, title icon, switch, slider parts."""

import math

from PIL import Image

from . import palette as P
from .canvas import Canvas, intersect, subtract, union
from .colortemp import SliderScale, screen_white


# -- title bar --------------------------------------------------------------

# Button states share one look: a white glyph, a translucent white plate on
# hover, a darker plate when pressed, so both buttons read as one family.
_PLATES = {
    'normal': None,
    'hover': P.WHITE[:3] + (56,),
    'click': P.BLUE_NAVY[:3] + (80,),
}
_GLYPH_ALPHA = {'normal': 225, 'hover': 255, 'click': 255}


def _title_button(width, height, state, glyph):
    c = Canvas(width, height)
    plate = _PLATES[state]
    if plate:
        c.fill(c.rounded_rect_mask(0, 0, width, height, 4), plate)
    c.fill(glyph(c, width, height), P.WHITE[:3] + (_GLYPH_ALPHA[state],))
    return c.result()


def _minimise_glyph(c, w, h):
    # centred on a pixel row, so the bar stays crisp at 1:1
    cy = h / 2.0 + 0.5
    return c.stroke_mask([(w / 2.0 - 5, cy), (w / 2.0 + 5, cy)], 1.3)


def _close_glyph(c, w, h):
    a = 4.6
    cx, cy = w / 2.0, h / 2.0
    first = c.stroke_mask([(cx - a, cy - a), (cx + a, cy + a)], 1.4)
    second = c.stroke_mask([(cx + a, cy - a), (cx - a, cy + a)], 1.4)
    return union(first, second)


def minimise_button(state):
    return lambda w, h: _title_button(w, h, state, _minimise_glyph)


def close_button(state):
    return lambda w, h: _title_button(w, h, state, _close_glyph)


def _shield_outline(x0, y0, x1, y1, steps=24):
    """A shield: flat shoulders, straight sides, a curved point at the bottom."""
    cx = (x0 + x1) / 2.0
    w, h = x1 - x0, y1 - y0
    pts = [(cx, y0), (x1, y0 + 0.16 * h), (x1, y0 + 0.5 * h)]
    # right flank curving to the tip, then mirrored back up
    for i in range(1, steps + 1):
        t = i / steps
        x = x1 - (w / 2.0) * (t ** 1.6)
        y = y0 + 0.5 * h + 0.5 * h * math.sin(t * math.pi / 2)
        pts.append((x, y))
    left = [(2 * cx - x, y) for x, y in reversed(pts[2:-1])]
    return pts + left + [(x0, y0 + 0.16 * h)]


def _eye_mask(c, cx, cy, half_width, half_height, steps=40):
    """An almond eye shape: two arcs meeting at sharp corners."""
    top, bottom = [], []
    for i in range(steps + 1):
        t = -1.0 + 2.0 * i / steps
        x = cx + half_width * t
        lift = half_height * (1 - t * t) ** 0.9
        top.append((x, cy - lift))
        bottom.append((x, cy + lift))
    return c.polygon_mask(top + list(reversed(bottom)))


def title_icon(width, height):
    """White shield with the blue eye: the tool's mark on the title bar."""
    c = Canvas(width, height, factor=16)
    shield = c.polygon_mask(_shield_outline(0.8, 0.6, width - 0.8, height - 0.4))
    c.fill(shield, P.WHITE)
    cx, cy = width / 2.0, height * 0.45
    c.fill(_eye_mask(c, cx, cy, width * 0.33, height * 0.17), P.BLUE)
    c.fill(c.circle_mask(cx, cy, height * 0.105), P.WHITE)
    c.fill(c.circle_mask(cx, cy, height * 0.05), P.BLUE)
    return c.result()


# -- eye-comfort switch -----------------------------------------------------

def switch(on):
    def draw(width, height):
        c = Canvas(width, height, factor=16)
        r = height / 2.0
        track = c.rounded_rect_mask(0, 0, width, height, r)
        c.fill(track, P.BLUE if on else P.TRACK_OFF)
        knob_r = r - 2.0
        kx = width - r if on else r
        knob = c.circle_mask(kx, r, knob_r)
        # The knob's shadow stays on the track, so it never leaks outside.
        c.shadow(knob, P.SHADOW[:3] + (70,), 0.8, dy=0.6)
        c.image = _clip_alpha(c.image, track)
        c.fill(knob, P.WHITE)
        if on:
            # a small tick on the free side says "on" without colour alone
            x0 = 6.0
            tick = c.stroke_mask([(x0, r + 0.2), (x0 + 2.2, r + 2.3), (x0 + 6.0, r - 2.3)], 1.6)
            c.fill(tick, P.WHITE)
        else:
            ring = c.ring_mask(width - 8.0, r, 3.0, 1.7)
            c.fill(ring, P.WHITE[:3] + (235,))
        return c.result()
    return draw


def _clip_alpha(image, mask):
    out = image.copy()
    out.putalpha(intersect(image.getchannel('A'), mask))
    return out


# -- slider ------------------------------------------------------------------

def slider_thumb(enabled):
    def draw(width, height):
        c = Canvas(width, height, factor=16)
        cx, cy = width / 2.0, height / 2.0
        r = min(width, height) / 2.0 - 3.0
        disc = c.circle_mask(cx, cy, r)
        c.shadow(disc, P.SHADOW[:3] + (60 if enabled else 36,), 1.4, dy=0.9)
        c.fill(disc, P.WHITE)
        ring_colour = P.BLUE if enabled else P.GREY_RING
        c.fill(c.ring_mask(cx, cy, r, r - 2.6), ring_colour)
        c.fill(c.circle_mask(cx, cy, 2.6), ring_colour if enabled else P.GREY_DOT)
        return c.result()
    return draw


def colour_bar(slider, enabled):
    """The temperature bar: every column shows the screen's white at the
    temperature the slider gives when its thumb is centred on that column."""
    def draw(width, height):
        c = Canvas(width, height, factor=8)
        scale = SliderScale(slider['min'], slider['max'], slider['width'], slider['thumb'])
        f = c.factor
        strip = Image.new('RGBA', (width * f, 1))
        for i in range(width * f):
            x = (i + 0.5) / f
            kelvin = int(round(scale.temperature(scale.position_at(x))))
            colour = screen_white(kelvin)
            if not enabled:
                colour = _greyed(colour)
            strip.putpixel((i, 0), colour + (255,))
        picture = strip.resize(c.size, Image.NEAREST)
        r = height / 2.0
        pill = c.rounded_rect_mask(0, 0, width, height, r)
        c.fill_image(pill, picture)
        # A hairline keeps the near-white middle visible on the white panel.
        inner = c.rounded_rect_mask(0.75, 0.75, width - 0.75, height - 0.75, r - 0.75)
        c.fill(subtract(pill, inner), P.RULE[:3] + (200 if enabled else 150,))
        return c.result()
    return draw


def _greyed(colour):
    r, g, b = colour
    luma = 0.299 * r + 0.587 * g + 0.114 * b
    # Squeeze the brightness into a narrow light-grey band, slightly cool.
    v = 214 + (luma - 200) * 0.12
    return (round(v - 2), round(v), round(v + 4))
