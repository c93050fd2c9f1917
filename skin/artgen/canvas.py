"""Supersampled RGBA drawing: shapes are drawn at N times the final size and
box-filtered down, which gives clean anti-aliased edges with plain PIL."""

from PIL import Image, ImageChops, ImageDraw, ImageFilter


def rgba(text, alpha=None):
    """'#RRGGBB' or '#AARRGGBB' (the skin's own colour form) to an RGBA tuple."""
    digits = text.lstrip('#')
    if len(digits) == 8:
        a, r, g, b = (int(digits[i:i + 2], 16) for i in range(0, 8, 2))
    else:
        r, g, b = (int(digits[i:i + 2], 16) for i in range(0, 6, 2))
        a = 255
    return (r, g, b, a if alpha is None else alpha)


class Canvas:
    """A transparent picture of width x height pixels.

    Coordinates are final-image pixels as floats: (0, 0) is the top-left
    corner of the first pixel and (width, height) the bottom-right corner of
    the last, so a box (0, 0, 22, 22) covers a 22 x 22 image exactly.
    """

    def __init__(self, width, height, factor=8, scale_x=1.0, scale_y=1.0):
        self.width, self.height, self.factor = width, height, factor
        # Optional drawing-space scale, for art designed in another space
        # than the one it is stored in (the stretched window background).
        self.scale_x, self.scale_y = scale_x, scale_y
        self.size = (width * factor, height * factor)
        self.image = Image.new('RGBA', self.size, (0, 0, 0, 0))

    # -- coordinates -------------------------------------------------------
    def px(self, x, y):
        return (x * self.scale_x * self.factor, y * self.scale_y * self.factor)

    def box(self, x0, y0, x1, y1):
        # PIL boxes include their last pixel.
        a = self.px(x0, y0)
        b = self.px(x1, y1)
        return (round(a[0]), round(a[1]), round(b[0]) - 1, round(b[1]) - 1)

    # -- masks -------------------------------------------------------------
    def new_mask(self):
        mask = Image.new('L', self.size, 0)
        return mask, ImageDraw.Draw(mask)

    def rounded_rect_mask(self, x0, y0, x1, y1, radius):
        mask, draw = self.new_mask()
        r = radius * min(self.scale_x, self.scale_y) * self.factor
        draw.rounded_rectangle(self.box(x0, y0, x1, y1), radius=round(r), fill=255)
        return mask

    def ellipse_mask(self, x0, y0, x1, y1):
        mask, draw = self.new_mask()
        draw.ellipse(self.box(x0, y0, x1, y1), fill=255)
        return mask

    def circle_mask(self, cx, cy, r):
        return self.ellipse_mask(cx - r, cy - r, cx + r, cy + r)

    def ring_mask(self, cx, cy, r_outer, r_inner):
        return subtract(self.circle_mask(cx, cy, r_outer), self.circle_mask(cx, cy, r_inner))

    def polygon_mask(self, points):
        mask, draw = self.new_mask()
        draw.polygon([self.px(x, y) for x, y in points], fill=255)
        return mask

    def stroke_mask(self, points, width, closed=False):
        """A polyline of the given width with round joins and caps."""
        mask, draw = self.new_mask()
        pts = [self.px(x, y) for x, y in points]
        if closed:
            pts.append(pts[0])
        w = width * min(self.scale_x, self.scale_y) * self.factor
        draw.line(pts, fill=255, width=max(1, round(w)), joint='curve')
        r = w / 2.0
        for x, y in (pts if not closed else pts[:-1]):
            draw.ellipse((x - r, y - r, x + r, y + r), fill=255)
        return mask

    # -- painting ----------------------------------------------------------
    def fill(self, mask, colour):
        """Paints a solid colour through a coverage mask (source-over)."""
        layer = Image.new('RGBA', self.size, colour[:3] + (0,))
        layer.putalpha(scale_mask(mask, colour[3]))
        self.image = Image.alpha_composite(self.image, layer)

    def fill_image(self, mask, picture):
        """Paints an RGBA picture of canvas size through a coverage mask."""
        alpha = ImageChops.multiply(picture.getchannel('A'), mask)
        layer = picture.copy()
        layer.putalpha(alpha)
        self.image = Image.alpha_composite(self.image, layer)

    def shadow(self, mask, colour, blur, dx=0.0, dy=0.0):
        """A soft shadow of a shape: the mask moved, blurred and tinted."""
        ox, oy = self.px(dx, dy)
        moved = ImageChops.offset(mask, round(ox), round(oy))
        # offset() wraps around; the shapes never reach the far edges.
        if blur > 0:
            moved = moved.filter(ImageFilter.GaussianBlur(blur * self.factor))
        self.fill(moved, colour)

    def vertical_gradient(self, top, bottom, y0=0.0, y1=None):
        """A canvas-sized picture blending top to bottom between y0 and y1."""
        y1 = self.height / self.scale_y if y1 is None else y1
        return self._gradient(lambda x, y: (y - y0) / max(1e-9, y1 - y0), top, bottom)

    def linear_gradient(self, start, end, p0, p1):
        """A canvas-sized picture blending along the line p0 -> p1."""
        vx, vy = p1[0] - p0[0], p1[1] - p0[1]
        length2 = vx * vx + vy * vy
        return self._gradient(
            lambda x, y: ((x - p0[0]) * vx + (y - p0[1]) * vy) / length2, start, end)

    def _gradient(self, position, start, end):
        # Computed at final resolution and scaled up: gradients need no AA.
        def colour_at(x, y):
            t = position(x / self.scale_x, y / self.scale_y)
            t = 0.0 if t < 0 else 1.0 if t > 1 else t
            return [s + (e - s) * t for s, e in zip(start, end)]
        return dithered(self.width, self.height, colour_at).resize(self.size, Image.BILINEAR)

    def result(self):
        """The finished picture at its final size."""
        return self.image.resize((self.width, self.height), Image.BOX)


# 4 x 4 ordered-dither thresholds: smooth gradients without 8-bit banding,
# and the same bytes on every run (no random noise).
_BAYER = ((0, 8, 2, 10), (12, 4, 14, 6), (3, 11, 1, 9), (15, 7, 13, 5))


def dithered(width, height, colour_at):
    """An RGBA picture from a function of pixel centres giving float RGBA."""
    picture = Image.new('RGBA', (width, height))
    data = []
    for j in range(height):
        row = _BAYER[j & 3]
        for i in range(width):
            bias = (row[i & 3] + 0.5) / 16.0
            data.append(tuple(min(255, max(0, int(v + bias))) for v in colour_at(i + 0.5, j + 0.5)))
    picture.putdata(data)
    return picture


def scale_mask(mask, alpha):
    if alpha >= 255:
        return mask
    return mask.point(lambda v: v * alpha // 255)


def subtract(mask, cut):
    return ImageChops.subtract(mask, cut)


def intersect(mask, other):
    return ImageChops.multiply(mask, other)


def union(mask, other):
    return ImageChops.lighter(mask, other)
