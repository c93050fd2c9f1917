"""A small model of the framework's layout rules, enough to place the
controls of this skin for the preview: fixed and stretching children of
vertical and horizontal layouts, outer margins ("padding"), inner margins
("inset"), child gaps, hidden controls and labels that follow their text."""

from PIL import ImageFont

CONTAINERS = ('verticallayout', 'horizontallayout', 'container')
TEXT_CONTROLS = ('label', 'button', 'option', 'checkbox', 'text')
DEFAULT_STYLE = {'button': 0x25, 'option': 0x25, 'checkbox': 0x25, 'slider': 0x21, 'progress': 0x21}

# The alignment keywords in the order the label tests them; each clears and
# sets text-style bits (DrawText flags).
_ALIGN_RULES = (
    ('mleft', 0x23, 0x2000), ('left', 0x23, 0), ('csingle', 0x26, 0x1), ('right', 0x21, 0x2),
    ('rsingle', 0x25, 0x2), ('mtop', 0x2C, 0x2000), ('top', 0x0C, 0x20), ('vcenter', 0x08, 0x25),
    ('lcenter', 0x09, 0x24), ('bcenter', 0x04, 0x29), ('rcenter', 0x09, 0x26),
    ('bottom', 0x04, 0x28), ('center', 0x02, 0x1),
)

FALLBACK_FONTS = (
    '/usr/share/fonts/truetype/wqy/wqy-microhei.ttc',
    '/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf',
)


def _tuple(text, count):
    values = [int(v) for v in text.split(',')] if text else []
    return tuple(values + [0] * (count - len(values)))[:count]


class Fonts:
    """The skin's font table with a local stand-in face for the preview."""

    def __init__(self, table, default):
        self.table, self.default = table, default
        self.cache = {}

    def get(self, index):
        if index not in self.table:
            index = self.default
        size = self.table[index][1]
        if size not in self.cache:
            self.cache[size] = _load_face(size)
        return self.cache[size]

    def line_height(self, index):
        ascent, descent = self.get(index).getmetrics()
        return ascent + descent


def _load_face(size):
    for path in FALLBACK_FONTS:
        try:
            return ImageFont.truetype(path, size)
        except OSError:
            continue
    return ImageFont.load_default()


class Node:
    def __init__(self, element):
        self.element = element
        self.kind = element.tag.lower()
        self.attrs = dict(element.attrib)
        self.children = [Node(child) for child in element if child.tag.lower() not in
                         ('font', 'image', 'default', 'multilanguage')]
        self.rect = (0, 0, 0, 0)
        self.visible = self.attrs.get('visible', 'true') == 'true'
        self.preset_w = int(self.attrs.get('width', '0'))
        self.preset_h = int(self.attrs.get('height', '0'))
        self.margin = _tuple(self.attrs.get('padding'), 4)
        self.inset = _tuple(self.attrs.get('inset'), 4)
        self.gap = int(self.attrs.get('childpadding', '0'))
        self.style = DEFAULT_STYLE.get(self.kind, 4)
        for keyword, clear, add in _ALIGN_RULES:
            if keyword in self.attrs.get('align', ''):
                self.style = (self.style & ~clear) | add
                break

    @property
    def name(self):
        return self.attrs.get('name', '')

    def font_index(self):
        return int(self.attrs.get('font', '-1'))

    # -- measuring ---------------------------------------------------------
    def measure(self, fonts):
        if self.kind in TEXT_CONTROLS:
            if self.attrs.get('autocalcwidth') == 'true':
                pad = _tuple(self.attrs.get('textpadding'), 4)
                text = self.attrs.get('text', '')
                self.preset_w = pad[0] + pad[2] + round(fonts.get(self.font_index()).getlength(text))
            if self.preset_h:
                return self.preset_w, self.preset_h
            extra = 4 if self.kind in ('label', 'text') else 8
            return self.preset_w, fonts.line_height(self.font_index()) + extra
        return self.preset_w, self.preset_h

    # -- placing -----------------------------------------------------------
    def place(self, rect, fonts):
        self.rect = rect
        shown = [c for c in self.children if c.visible]
        if not shown:
            return
        l, t, r, b = rect
        inner = (l + self.inset[0], t + self.inset[1], r - self.inset[2], b - self.inset[3])
        if self.kind == 'verticallayout':
            self._place_line(shown, inner, fonts, vertical=True)
        elif self.kind == 'horizontallayout':
            self._place_line(shown, inner, fonts, vertical=False)
        else:
            for child in shown:
                child.place(inner, fonts)

    def _place_line(self, shown, inner, fonts, vertical):
        """The layout's two passes: fixed lengths first, then the stretching
        children share what is left, the last one taking the remainder."""
        il, it, ir, ib = inner
        avail_w, avail_h = ir - il, ib - it
        along = avail_h if vertical else avail_w

        def extent(child):
            w, h = child.measure(fonts)
            m = child.margin
            before, after = (m[1], m[3]) if vertical else (m[0], m[2])
            return (h if vertical else w), before, after

        fixed_total, stretch_count = 0, 0
        for child in shown:
            length, before, after = extent(child)
            stretch_count += length == 0
            fixed_total += before + length + after
        fixed_total += (len(shown) - 1) * self.gap
        share = max(0, (along - fixed_total) // stretch_count) if stretch_count else 0

        pos, remaining, fixed_left, seen = (it if vertical else il), along, fixed_total, 0
        for child in shown:
            length, before, after = extent(child)
            remaining -= before
            if length == 0:
                seen += 1
                length = share if seen < stretch_count else max(0, remaining - after - fixed_left)
            else:
                fixed_left -= length if vertical else length + before + after
            if not vertical:
                fixed_left -= self.gap
            m = child.margin
            if vertical:
                width = child.preset_w or max(0, avail_w - m[0] - m[2])
                # the bottom margin lies inside the child's rectangle here
                rect = (il + m[0], pos + m[1], il + m[0] + width, pos + m[1] + length + m[3])
                child.place(rect, fonts)
            else:
                height = child.preset_h or max(0, avail_h - m[1] - m[3])
                rect = (pos + m[0], it + m[1], pos + m[0] + length, it + m[1] + height)
                child.place(rect, fonts)
            pos += before + length + after + self.gap
            remaining -= length + self.gap + after


def layout(root_element, fonts):
    """Places the window's first control over the whole client area."""
    width, height = _tuple(root_element.get('size'), 2)
    controls = [Node(child) for child in root_element
                if child.tag.lower() not in ('font', 'image', 'default', 'multilanguage')]
    top = controls[0]
    top.place((0, 0, width, height), fonts)
    return top
