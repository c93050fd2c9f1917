"""Paints the window as the framework will: the controls at the places the
markup gives them, with the generated images, in a chosen state."""

import os

from PIL import Image, ImageDraw

from . import palette as P
from .canvas import Canvas, rgba
from .colortemp import SliderScale
from .layout import Fonts, layout
from .markup import Skin, archive_name, parse_image_attr

BACKGROUND_ATTR = "file='bk.png' source='0,0,920,540'"


class Painter:
    def __init__(self, skin, image_dir):
        self.skin, self.image_dir = skin, image_dir
        self.fonts = Fonts(*skin.fonts())
        self.cache = {}

    def image(self, name):
        name = archive_name(name)
        if name not in self.cache:
            self.cache[name] = Image.open(os.path.join(self.image_dir, name)).convert('RGBA')
        return self.cache[name]

    def draw_image_attr(self, target, rect, text, dest_override=None):
        parsed = parse_image_attr(text)
        picture = self.image(parsed['file'])
        source = parsed.get('source') or (0, 0, picture.width, picture.height)
        if dest_override is not None:
            dl, dt, dr, db = dest_override
        elif parsed.get('dest') and any(parsed['dest']):
            d = parsed['dest']
            dl, dt = rect[0] + d[0], rect[1] + d[1]
            dr, db = min(rect[2], rect[0] + d[2]), min(rect[3], rect[1] + d[3])
        else:
            dl, dt, dr, db = rect
        if dr <= dl or db <= dt:
            return
        part = picture.crop(source)
        if part.size != (dr - dl, db - dt):
            part = part.resize((dr - dl, db - dt), Image.BICUBIC)
        layer = Image.new('RGBA', target.size, (0, 0, 0, 0))
        layer.paste(part, (dl, dt))
        target.alpha_composite(layer)

    def fill(self, target, rect, colour_text):
        colour = rgba(colour_text)
        if colour[3] == 0 or rect[2] <= rect[0] or rect[3] <= rect[1]:
            return
        layer = Image.new('RGBA', target.size, (0, 0, 0, 0))
        ImageDraw.Draw(layer).rectangle((rect[0], rect[1], rect[2] - 1, rect[3] - 1), fill=colour)
        target.alpha_composite(layer)

    def text(self, target, node, colour_text):
        text = node.attrs.get('text')
        if not text:
            return
        font = self.fonts.get(node.font_index())
        l, t, r, b = node.rect
        width = font.getlength(text)
        ascent, descent = font.getmetrics()
        style = node.style
        x = l if not style & 0x3 else (l + r - width) / 2 if style & 0x1 else r - width
        y = t if not style & 0xC else (t + b - ascent - descent) / 2 if style & 0x4 else b - ascent - descent
        ImageDraw.Draw(target).text((round(x), round(y)), text, font=font, fill=rgba(colour_text))

    def paint(self, state):
        """state: {control name: {'selected', 'enabled', 'value', 'mode'}}"""
        w, h = self.skin.window_size()
        window = Image.new('RGBA', (w, h), (0, 0, 0, 0))
        root = layout(self.skin.root, self.fonts)
        for node in self._shown(root):
            self._paint_node(window, node, state.get(node.name, {}))
        # the window region's rounded corners
        corner = tuple(int(v) for v in self.skin.root.get('roundcorner', '0,0').split(','))
        c = Canvas(w, h, factor=4)
        region = c.rounded_rect_mask(0, 0, w, h, corner[0] / 2.0).resize((w, h), Image.BOX)
        window.putalpha(region)
        return window

    def _shown(self, node):
        if not node.visible:
            return
        yield node
        for child in node.children:
            yield from self._shown(child)

    def _paint_node(self, window, node, state):
        a, rect = node.attrs, node.rect
        enabled = state.get('enabled', a.get('enabled', 'true') == 'true')
        if 'bkcolor' in a:
            self.fill(window, rect, a['bkcolor'])
        background = state.get('bkimage', a.get('bkimage'))
        if background:
            self.draw_image_attr(window, rect, background)
        kind = node.kind
        if kind == 'button':
            mode = state.get('mode', 'normal')
            image = a.get({'hover': 'hotimage', 'click': 'pushedimage'}.get(mode, 'normalimage')) \
                or a.get('normalimage')
            if not enabled and a.get('disabledimage'):
                image = a['disabledimage']
            if image:
                self.draw_image_attr(window, rect, image)
            colour = a.get('textcolor', '#FF000000')
            if not enabled:
                colour = a.get('disabledtextcolor', colour)
            elif mode == 'hover':
                colour = a.get('hottextcolor', colour)
            elif mode == 'click':
                colour = a.get('pushedtextcolor', colour)
            self.text(window, node, colour)
        elif kind in ('checkbox', 'option'):
            if state.get('selected', a.get('selected') == 'true') and a.get('selectedimage'):
                self.draw_image_attr(window, rect, a['selectedimage'])
            self.text(window, node, a.get('textcolor', '#FF000000'))
        elif kind == 'slider':
            self._paint_slider(window, node, enabled, state.get('value', int(a.get('value', '0'))))
        elif kind in ('label', 'text'):
            colour = a.get('textcolor', '#FF000000') if enabled else a.get('disabledtextcolor', '#FFA0A0A0')
            self.text(window, node, colour)

    def _paint_slider(self, window, node, enabled, value):
        a, rect = node.attrs, node.rect
        tw, th = (int(v) for v in a['thumbsize'].split(','))
        scale = SliderScale(int(a['min']), int(a['max']), rect[2] - rect[0], tw)
        left = rect[0] + scale.thumb_left(value)
        top = (rect[1] + rect[3] - th) // 2
        bar = a.get('normalimage') if enabled else a.get('disabledimage')
        thumb = a.get('thumbimage') if enabled else a.get('thumbdisabledimage')
        if bar:
            self.draw_image_attr(window, rect, bar)
        if thumb:
            self.draw_image_attr(window, rect, thumb, dest_override=(left, top, left + tw, top + th))


def window_with_shadow(painter, state):
    """The window over its shadow, as the two layered windows appear."""
    window = painter.paint(state)
    shadow_name, corner = painter.skin.shadow()
    shadow = painter.image(shadow_name).copy()
    shadow.alpha_composite(window, (corner[0], corner[1]))
    return shadow


def desktop(width, height):
    """A calm, light backdrop standing in for the user's desktop."""
    c = Canvas(width, height, factor=1)
    c.image = c.vertical_gradient(rgba('#EEF1F6'), rgba('#DDE3EC'))
    return c.image


def label(target, xy, text, fonts, colour='#FF5A6478'):
    ImageDraw.Draw(target).text(xy, text, font=fonts.get(0), fill=rgba(colour))


def parts_strip(painter, zoom=3):
    """Every image of the skin, zoomed, on the backgrounds it sits on."""
    rows = [
        ('title bar buttons: normal, hover, pressed',
         ['image/topbar_min_normal.png', 'image/topbar_min_hover.png', 'image/topbar_min_click.png',
          'image/topbar_close_normal.png', 'image/topbar_close_hover.png', 'image/topbar_close_click.png',
          'image/KVRN_icon_popup_qidongguanli@1x.png'], P.BLUE),
        ('switch off / on, thumb enabled / disabled',
         ['image/KVRN_minibutton_off@1x.png', 'image/KVRN_minibutton_on@1x.png',
          'image/KVRN_slider_thumb.png', 'image/KVRN_slider_thumb_disabled.png'], P.WHITE),
        ('colour-temperature bar, enabled / disabled (11201 K left, 2001 K right)',
         ['image/KVRN_colortemperature.png', 'image/KVRN_colortemperature_disabled.png'], P.WHITE),
    ]
    blocks = []
    for caption, names, colour in rows:
        pictures = [painter.image(n) for n in names]
        pictures = [p.resize((p.width * zoom, p.height * zoom), Image.NEAREST) for p in pictures]
        vertical = max(p.width for p in pictures) > 300
        if vertical:
            w = max(p.width for p in pictures) + 24
            h = sum(p.height + 12 for p in pictures) + 12
        else:
            w = sum(p.width + 12 for p in pictures) + 12
            h = max(p.height for p in pictures) + 24
        block = Image.new('RGBA', (w, h), colour)
        x, y = 12, 12
        for p in pictures:
            block.alpha_composite(p, (x, y))
            if vertical:
                y += p.height + 12
            else:
                x += p.width + 12
        blocks.append((caption, block))
    return blocks


def compose(skin_path, image_dir):
    """The whole preview sheet: both window states and the parts."""
    skin = Skin(skin_path)
    painter = Painter(skin, image_dir)
    comfort_off = {'vbk_name': {'bkimage': BACKGROUND_ATTR},
                   'ColorTemperature': {'value': 6601}}
    comfort_on = {'vbk_name': {'bkimage': BACKGROUND_ATTR},
                  'eyecomfort': {'selected': True},
                  'ColorTemperature': {'value': 13201 - 3500, 'enabled': False},
                  'restored_btn': {'enabled': False},
                  'BtnClose': {'mode': 'hover'}}
    first = window_with_shadow(painter, comfort_off)
    second = window_with_shadow(painter, comfort_on)
    blocks = parts_strip(painter)
    margin = 24
    width = margin * 3 + first.width + second.width
    parts_h = sum(b.height + 34 for _, b in blocks)
    height = margin + 22 + first.height + margin + parts_h + margin
    sheet = desktop(width, height)
    label(sheet, (margin, margin - 6), 'Eye comfort off, slider at 6601 K (first start)', painter.fonts)
    label(sheet, (margin * 2 + first.width, margin - 6),
          'Eye comfort on (3500 K): slider and restore disabled, close hovered', painter.fonts)
    sheet.alpha_composite(first, (margin, margin + 16))
    sheet.alpha_composite(second, (margin * 2 + first.width, margin + 16))
    y = margin + 22 + first.height + margin
    x = margin
    for caption, block in blocks:
        label(sheet, (x, y), caption, painter.fonts)
        sheet.alpha_composite(block, (x, y + 22))
        y += block.height + 34
    return sheet.convert('RGB')
