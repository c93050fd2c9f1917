"""Reads the skin markup: the images it names and the size each is shown at."""

import re
import xml.etree.ElementTree as ET

# Attributes whose value is an image attribute string.
IMAGE_ATTRIBUTES = (
    'bkimage', 'foreimage', 'normalimage', 'hotimage', 'pushedimage', 'focusedimage',
    'disabledimage', 'selectedimage', 'selectedhotimage', 'selecteddisabledimage',
    'thumbimage', 'thumbhotimage', 'thumbpushedimage', 'thumbdisabledimage',
)
THUMB_ATTRIBUTES = ('thumbimage', 'thumbhotimage', 'thumbpushedimage', 'thumbdisabledimage')

_PAIR = re.compile(r"(\w+)='([^']*)'")


def parse_image_attr(text):
    """{'file': name, 'dest': (l,t,r,b), 'source': ...} of an image string."""
    pairs = dict(_PAIR.findall(text))
    if not pairs:
        return {'file': text.strip()}
    result = {'file': pairs.get('file', '')}
    for key in ('dest', 'source', 'corner'):
        if key in pairs:
            result[key] = tuple(int(v) for v in pairs[key].split(','))
    return result


def archive_name(name):
    """The name an image has inside the skin archive (forward slashes)."""
    return name.replace('\\', '/')


def tuple_of(text):
    return tuple(int(v) for v in text.split(','))


_LANGUAGE_REFERENCE = re.compile(r'%\{(\d+)\}')


class Skin:
    def __init__(self, path):
        self.path = path
        self.root = ET.parse(path).getroot()
        self._show_language_defaults()

    def _show_language_defaults(self):
        """Texts written as "%{id}" read as their MultiLanguage value, as the
        window shows them when the user's language file does not replace it."""
        texts = {element.get('id'): element.get('value') for element in self.root.findall('MultiLanguage')}
        for element in self.root.iter():
            for attribute in ('text', 'tooltip'):
                if element.get(attribute):
                    element.set(attribute, _LANGUAGE_REFERENCE.sub(
                        lambda m: texts.get(m.group(1), m.group(0)), element.get(attribute)))

    def window_size(self):
        return tuple_of(self.root.get('size'))

    def shadow(self):
        """(image name, corner widths) of the window's drop shadow."""
        return self.root.get('shadowimage'), tuple_of(self.root.get('shadowcorner'))

    def fonts(self):
        """{index: (face, size)} and the default index."""
        table, default = {}, None
        for font in self.root.findall('Font'):
            index = int(font.get('id', '-1'))
            table[index] = (font.get('name'), int(font.get('size', '12')))
            if font.get('default') == 'true':
                default = index
        return table, default

    def find(self, name):
        for element in self.root.iter():
            if element.get('name') == name:
                return element
        return None

    def slider(self, name):
        element = self.find(name)
        thumb = tuple_of(element.get('thumbsize'))
        return {'min': int(element.get('min')), 'max': int(element.get('max')),
                'width': int(element.get('width')), 'thumb': thumb[0]}

    def image_uses(self):
        """[(archive name, (width, height), element, attribute)] in document order.

        The size is the one the image is drawn at: its dest rectangle, the
        slider's thumb size for thumbs, else the control's own size.
        """
        uses = []
        shadow_name, corner = self.shadow()
        if shadow_name:
            w, h = self.window_size()
            uses.append((archive_name(shadow_name),
                         (w + corner[0] + corner[2], h + corner[1] + corner[3]), self.root, 'shadowimage'))
        for element in self.root.iter():
            for attribute in IMAGE_ATTRIBUTES:
                text = element.get(attribute)
                if not text:
                    continue
                image = parse_image_attr(text)
                if attribute in THUMB_ATTRIBUTES:
                    size = tuple_of(element.get('thumbsize'))
                elif 'dest' in image:
                    l, t, r, b = image['dest']
                    size = (r - l, b - t)
                else:
                    size = (int(element.get('width', '0')), int(element.get('height', '0')))
                uses.append((archive_name(image['file']), size, element, attribute))
        return uses
