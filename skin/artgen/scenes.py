"""Large pictures: the eye-comfort illustration, the window background and
the drop shadow."""

from PIL import Image, ImageChops, ImageDraw, ImageFilter

from . import palette as P
from .canvas import Canvas, dithered, intersect, subtract, union
from .colortemp import screen_colour, screen_white
from .controls import _eye_mask

EYE_COMFORT_KELVIN = 3500


def eye_comfort_illustration(width, height):
    """A monitor whose screen glows at the eye-comfort temperature, an eye
    on it and a crescent moon: calm evening light for the eyes."""
    c = Canvas(width, height, factor=8)
    cx = width / 2.0
    # soft backdrop disc
    c.fill(c.circle_mask(cx, height / 2.0 + 1, 50.5), P.BLUE_TINT)
    c.fill(c.circle_mask(cx + 40, 24, 3.0), P.BLUE_TINT2)
    c.fill(c.circle_mask(cx - 52, 76, 2.2), P.BLUE_MIST)
    c.fill(c.circle_mask(cx - 44, 20, 1.6), P.BLUE_MIST)
    c.fill(c.circle_mask(cx + 55, 72, 1.8), P.BLUE_MIST)

    # monitor: body, screen, neck, foot
    x0, y0, x1, y1 = cx - 44, 19, cx + 44, 79
    foot = c.rounded_rect_mask(cx - 21, 88.5, cx + 21, 93.5, 2.5)
    neck = c.polygon_mask([(cx - 7, 78), (cx + 7, 78), (cx + 9.5, 89), (cx - 9.5, 89)])
    body = c.rounded_rect_mask(x0, y0, x1, y1, 6)
    c.shadow(union(body, foot), P.SHADOW[:3] + (40,), 3.0, dy=2.5)
    c.fill(neck, P.BLUE_DEEP)
    c.fill(foot, P.BLUE)
    c.fill(body, P.BLUE)
    sx0, sy0, sx1, sy1 = x0 + 5, y0 + 5, x1 - 5, y1 - 7
    screen = c.rounded_rect_mask(sx0, sy0, sx1, sy1, 2.5)
    # The screen shows white as the display shows it at the preset.
    top = screen_white(EYE_COMFORT_KELVIN) + (255,)
    bottom = screen_colour(EYE_COMFORT_KELVIN, (255, 226, 190)) + (255,)
    c.fill_image(screen, c.vertical_gradient(top, bottom, sy0, sy1))
    # chin strip of the monitor and its power light
    c.fill(c.circle_mask(cx, y1 - 3.4, 1.1), P.BLUE_MIST)

    # the eye
    ex, ey = cx, (sy0 + sy1) / 2.0 + 0.5
    eye = _eye_mask(c, ex, ey, 24, 12.5)
    c.fill(eye, P.WHITE)
    outline = subtract(_eye_mask(c, ex, ey, 26.2, 14.3), eye)
    c.fill(outline, P.BLUE)
    iris = intersect(c.circle_mask(ex, ey, 8.6), eye)
    c.fill(iris, P.BLUE)
    c.fill(intersect(c.circle_mask(ex, ey, 4.0), eye), P.BLUE_NAVY)
    c.fill(c.circle_mask(ex + 2.8, ey - 3.0, 1.9), P.WHITE)

    # crescent moon over the top-right corner
    mx, my, mr = x1 - 2, y0 + 1, 10.5
    moon = subtract(c.circle_mask(mx, my, mr), c.circle_mask(mx + 5.2, my - 4.2, mr - 1.2))
    c.fill(c.circle_mask(mx, my, mr + 2.2), P.WHITE)
    c.fill(subtract(c.circle_mask(mx, my, mr + 2.2), c.circle_mask(mx + 5.2, my - 4.2, mr - 1.2 + 2.2)),
           P.WHITE)
    c.fill(moon, P.WARM)
    # two sparkles beside the moon
    for sx, sy, s in ((x1 + 10, y0 + 17, 3.2), (x1 + 1, y0 - 9, 2.2)):
        c.fill(_sparkle(c, sx, sy, s), P.WARM)
    return c.result()


def _sparkle(c, x, y, s):
    k = s * 0.28
    return c.polygon_mask([(x, y - s), (x + k, y - k), (x + s, y), (x + k, y + k),
                           (x, y + s), (x - k, y + k), (x - s, y), (x - k, y - k)])


def window_background(window_w, window_h, source_w, source_h):
    """The default backdrop of the window's blue header.

    The window draws the top source_w x source_h of the picture stretched
    over its whole client area, so the art is designed in window units and
    stored pre-stretched: circles come out round on screen.
    """
    def draw(width, height):
        sx, sy = source_w / float(window_w), source_h / float(window_h)
        span_h = height / sy
        base = dithered(width, height, _header_colour(window_w, span_h, sx, sy))
        c = Canvas(width, height, factor=2, scale_x=sx, scale_y=sy)
        # large translucent rounds on the right, clear of the headline
        glow = P.WHITE[:3]
        c.fill(c.circle_mask(446, -36, 118), glow + (16,))
        c.fill(c.circle_mask(482, 98, 76), glow + (14,))
        c.fill(c.circle_mask(300, 150, 120), glow + (7,))
        c.fill(c.ring_mask(356, 44, 27, 25.6), glow + (40,))
        c.fill(c.circle_mask(333, 18, 3.0), glow + (60,))
        c.fill(c.circle_mask(398, 86, 2.2), glow + (52,))
        # a wide, faint eye line drawing, the tool's motif
        ex, ey = 410, 60
        outer = _eye_mask(c, ex, ey, 44, 21)
        inner = _eye_mask(c, ex, ey, 41.5, 18.8)
        c.fill(subtract(outer, inner), glow + (46,))
        c.fill(c.ring_mask(ex, ey, 12, 10.4), glow + (46,))
        c.fill(c.circle_mask(ex, ey, 5), glow + (40,))
        base.alpha_composite(c.result())
        return base
    return draw


def _header_colour(window_w, span_h, sx, sy):
    """Diagonal blue gradient with a soft light wash down the left edge,
    as floats so the picture can be dithered once."""
    start, end = P.rgba('#3D6BEE'), P.rgba('#2D52D6')
    vx, vy = window_w, span_h * 0.9
    length2 = vx * vx + vy * vy

    def colour_at(x, y):
        x, y = x / sx, y / sy
        t = min(1.0, max(0.0, (x * vx + y * vy) / length2))
        wash = 0.09 * max(0.0, 1.0 - x / 260.0) ** 1.5
        return [(s + (e - s) * t) * (1 - wash) + 255 * wash for s, e in zip(start[:3], end[:3])] + [255]
    return colour_at


def drop_shadow(window_w, window_h, corner, radius):
    """A drop shadow that sits under a window_w x window_h window placed at
    (corner.left, corner.top); its middle (the window's area) is clear."""
    left, top, right, bottom = corner

    def draw(width, height):
        assert (width, height) == (window_w + left + right, window_h + top + bottom)
        f = 4
        mask = Image.new('L', (width * f, height * f), 0)
        lift = 4.0           # light from above: the shadow falls downwards
        spread = -1.0        # a touch smaller than the window: no hard rim
        box = ((left - spread) * f, (top + lift - spread) * f,
               (left + window_w + spread) * f - 1, (top + window_h + lift + spread) * f - 1)
        ImageDraw.Draw(mask).rounded_rectangle(box, radius=radius * f, fill=255)
        # Two blurs: a tight contact shadow and a wide ambient one.
        near = mask.filter(ImageFilter.GaussianBlur(3.0 * f)).point(lambda v: v * 34 // 255)
        far = mask.filter(ImageFilter.GaussianBlur(8.5 * f)).point(lambda v: v * 60 // 255)
        alpha = ImageChops.add(near, far).resize((width, height), Image.BOX)
        # the window's own area stays clear: the nine-grid middle is a hole
        hole = Image.new('L', (width, height), 255)
        ImageDraw.Draw(hole).rectangle((left, top, left + window_w - 1, top + window_h - 1), fill=0)
        alpha = intersect(alpha, hole)
        shadow = Image.new('RGBA', (width, height), P.SHADOW[:3] + (0,))
        shadow.putalpha(alpha)
        return shadow
    return draw
