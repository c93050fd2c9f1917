#!/usr/bin/env bash
# The skin archive holds the markup and every image it names, each at the
# size the window shows it, and building it again gives the same bytes.
#   skin_art.sh BUILD_DIR   (the folder holding skin/RuzerodOradirWnd.zip)
set -euo pipefail

BUILD="${1:?usage: skin_art.sh BUILD_DIR}"
SOURCE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
ZIP="$BUILD/skin/RuzerodOradirWnd.zip"
PYTHON=/usr/bin/python3
[[ -x "$PYTHON" ]] || PYTHON=python3

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

[[ -s "$ZIP" ]] || fail "no archive at $ZIP"
unzip -tq "$ZIP" >/dev/null || fail "the archive does not pass unzip -t"
unzip -q "$ZIP" -d "$WORK/unpacked"
cmp -s "$WORK/unpacked/RuzerodOradirWnd.xml" "$SOURCE/skin/RuzerodOradirWnd.xml" \
  || fail "the archive's markup differs from skin/RuzerodOradirWnd.xml"

"$PYTHON" - "$WORK/unpacked" <<'EOF'
import os, re, sys
import xml.etree.ElementTree as ET
from PIL import Image

root_dir = sys.argv[1]
failures = []

def check(condition, message):
    if not condition:
        failures.append(message)

members = {}
for folder, _, files in os.walk(root_dir):
    for f in files:
        rel = os.path.relpath(os.path.join(folder, f), root_dir).replace(os.sep, '/')
        members[rel.upper()] = rel        # the skin reader ignores case

def open_member(name):
    """The image the framework would find for a markup name."""
    key = name.replace('\\', '/').upper()
    check(key in members, 'the archive lacks %s' % name)
    if key not in members:
        return None
    image = Image.open(os.path.join(root_dir, members[key]))
    check(image.format == 'PNG', '%s is not a PNG' % name)
    return image.convert('RGBA')

window = ET.parse(os.path.join(root_dir, 'RuzerodOradirWnd.xml')).getroot()

# Texts written as "%{id}" are checked as the window shows them when the
# user's language file does not replace them: the MultiLanguage value.
chinese = {e.get('id'): e.get('value') for e in window.findall('MultiLanguage')}
for element in window.iter():
    for key in ('text', 'tooltip'):
        if element.get(key):
            element.set(key, re.sub(r'%\{(\d+)\}', lambda m: chinese.get(m.group(1), m.group(0)), element.get(key)))

# -- the Window element and its fonts --------------------------------------
for key, value in (('size', '480,323'), ('caption', '0,0,0,100'), ('showshadow', 'true'),
                   ('shadowimage', 'shadow.png'), ('shadowcorner', '23,13,23,33'),
                   ('roundcorner', '3,3')):
    check(window.get(key) == value, 'Window %s is %r, not %r' % (key, window.get(key), value))
fonts = {int(f.get('id')): (f.get('name'), f.get('size'), f.get('default')) for f in window.findall('Font')}
check(fonts == {0: ('Microsoft YaHei', '14', 'true'), 1: ('Microsoft YaHei', '18', None),
                2: ('Microsoft YaHei', '30', None), 3: ('Microsoft YaHei', '16', None)},
      'fonts are %r' % fonts)

# -- the controls the window controller relies on --------------------------
def named(name):
    found = [e for e in window.iter() if e.get('name') == name]
    check(len(found) == 1, 'expected one control named %s, found %d' % (name, len(found)))
    return found[0] if found else ET.Element('missing')

top = [e for e in window if e.tag not in ('Font', 'Image', 'Default', 'MultiLanguage')]
check(top and top[0].get('name') == 'vbk_name' and top[0].tag == 'VerticalLayout',
      'the first control is not the VerticalLayout vbk_name')
expected = {
    'top_bk': ('HorizontalLayout', {'height': '33'}),
    'label_dialog_title': ('Label', {'text': 'Eyeward', 'textcolor': '#FFFFFFFF'}),
    'BtnMin': ('Button', {'width': '22', 'height': '22', 'tooltip': '最小化',
                          'normalimage': 'image\\topbar_min_normal.png',
                          'hotimage': 'image\\topbar_min_hover.png',
                          'pushedimage': 'image\\topbar_min_click.png'}),
    'BtnClose': ('Button', {'width': '22', 'height': '22', 'tooltip': '关闭',
                            'normalimage': 'image\\topbar_close_normal.png',
                            'hotimage': 'image\\topbar_close_hover.png',
                            'pushedimage': 'image\\topbar_close_click.png'}),
    'eyecomfort': ('CheckBox', {'width': '36', 'height': '16',
                                'selectedimage': 'image/KVRN_minibutton_on@1x.png',
                                'bkimage': 'image/KVRN_minibutton_off@1x.png'}),
    'restored_btn': ('Button', {'text': '还原默认设置', 'textcolor': '#FF355FE4'}),
    'ColorTemperature': ('Slider', {
        'width': '240', 'height': '24', 'min': '2000', 'max': '11200', 'value': '6600', 'hor': 'true',
        'normalimage': "file='image/KVRN_colortemperature.png' dest='0,9,240,15'",
        'disabledimage': "file='image/KVRN_colortemperature_disabled.png' dest='0,9,240,15'",
        'thumbimage': 'image/KVRN_slider_thumb.png',
        'thumbdisabledimage': 'image/KVRN_slider_thumb_disabled.png', 'thumbsize': '24,24'}),
}
for name, (tag, attributes) in expected.items():
    element = named(name)
    check(element.tag == tag, '%s is a %s, not a %s' % (name, element.tag, tag))
    for key, value in attributes.items():
        check(element.get(key) == value, '%s %s is %r, not %r' % (name, key, element.get(key), value))
texts = {e.get('text'): e for e in window.iter('Label')}
for text, font in (('爱护双眼，保护视力', '2'), ('护眼模式', '3'), ('色温调节', '3'),
                   ('降低蓝光辐射，预防用眼疲劳', None), ('可调整到您认为舒适的色调', None),
                   ('弱', None), ('推荐', None), ('极强', None)):
    check(text in texts, 'no label %s' % text)
    if text in texts and font:
        check(texts[text].get('font') == font, 'label %s uses font %s' % (text, texts[text].get('font')))
check(texts.get('推荐', ET.Element('x')).get('visible') == 'false', 'the label 推荐 is not hidden')
check(any(e.get('height') == '1' and e.get('bkcolor') == '#4CC7CDDD' for e in window.iter()),
      'no 1-pixel rule #4CC7CDDD')
check(any(e.get('bkcolor') == '#FFFFFFFF' and e.tag == 'HorizontalLayout' for e in window.iter()),
      'no white panel')

# -- every image the markup names, at the size it is drawn at --------------
IMAGE_KEYS = ('bkimage', 'foreimage', 'normalimage', 'hotimage', 'pushedimage', 'focusedimage',
              'disabledimage', 'selectedimage', 'selectedhotimage', 'selecteddisabledimage',
              'thumbimage', 'thumbhotimage', 'thumbpushedimage', 'thumbdisabledimage')
named_images = 0
for element in window.iter():
    for key in IMAGE_KEYS:
        text = element.get(key)
        if not text:
            continue
        pairs = dict(re.findall(r"(\w+)='([^']*)'", text))
        name = pairs.get('file', text)
        if key.startswith('thumb'):
            size = tuple(int(v) for v in element.get('thumbsize').split(','))
        elif 'dest' in pairs:
            l, t, r, b = (int(v) for v in pairs['dest'].split(','))
            size = (r - l, b - t)
        else:
            size = (int(element.get('width')), int(element.get('height')))
        image = open_member(name)
        named_images += 1
        if image:
            check(image.size == size, '%s is %s, shown at %s' % (name, image.size, size))
check(named_images == 14, 'the markup names %d images, expected 14' % named_images)

sizes = {
    'image/KVRN_icon_popup_qidongguanli@1x.png': (16, 18), 'image/KVRN_icon_bk.png': (148, 107),
    'image/topbar_min_normal.png': (22, 22), 'image/topbar_min_hover.png': (22, 22),
    'image/topbar_min_click.png': (22, 22), 'image/topbar_close_normal.png': (22, 22),
    'image/topbar_close_hover.png': (22, 22), 'image/topbar_close_click.png': (22, 22),
    'image/KVRN_minibutton_on@1x.png': (36, 16), 'image/KVRN_minibutton_off@1x.png': (36, 16),
    'image/KVRN_colortemperature.png': (240, 6), 'image/KVRN_colortemperature_disabled.png': (240, 6),
    'image/KVRN_slider_thumb.png': (24, 24), 'image/KVRN_slider_thumb_disabled.png': (24, 24),
    'bk.png': (920, 600), 'shadow.png': (526, 369),
}
images = {}
for name, size in sizes.items():
    images[name] = open_member(name)
    if images[name]:
        check(images[name].size == size, '%s is %s, expected %s' % (name, images[name].size, size))
if failures:
    print('\n'.join('FAIL: ' + f for f in failures)); sys.exit(1)

# -- what the pictures show -------------------------------------------------
shadow = images['shadow.png']
check(shadow.getpixel((263, 180))[3] == 0, 'the shadow under the window is not clear')
check(all(shadow.getpixel(p)[3] <= 2 for p in ((0, 0), (525, 0), (0, 368), (525, 368))),
      'the shadow does not fade out at its corners')
check(shadow.getpixel((263, 340))[3] > shadow.getpixel((263, 8))[3] > 0,
      'the shadow does not fall downwards')

# The bar shows the screen's white at the slider's temperatures: 11201 K at
# the left end, the neutral 6601 K in the middle, 2001 K at the right end.
bar = images['image/KVRN_colortemperature.png']
for x, colour, kelvin in ((4, (224, 233, 254), 11201), (120, (254, 254, 254), 6601),
                          (235, (254, 195, 134), 2001)):
    got = bar.getpixel((x, 3))[:3]
    check(all(abs(a - b) <= 3 for a, b in zip(got, colour)),
          'bar at x=%d shows %s, the screen at %d K is %s' % (x, got, kelvin, colour))
grey = images['image/KVRN_colortemperature_disabled.png']
for x in (4, 120, 235):
    r, g, b, a = grey.getpixel((x, 3))
    check(a == 255 and max(r, g, b) - min(r, g, b) <= 8, 'the disabled bar is not grey at x=%d' % x)

def differ(a, b):
    return images[a].tobytes() != images[b].tobytes()

for button in ('min', 'close'):
    states = ['image/topbar_%s_%s.png' % (button, s) for s in ('normal', 'hover', 'click')]
    check(differ(states[0], states[1]) and differ(states[1], states[2]) and differ(states[0], states[2]),
          'the %s button states are not distinct' % button)
on, off = images['image/KVRN_minibutton_on@1x.png'], images['image/KVRN_minibutton_off@1x.png']
blue = (0x35, 0x5F, 0xE4)
check(all(abs(a - b) <= 2 for a, b in zip(on.getpixel((8, 3))[:3], blue)), 'the switch is not blue when on')
check(on.getpixel((27, 8))[:3] == (255, 255, 255), 'the knob is not on the right when on')
check(off.getpixel((8, 8))[:3] == (255, 255, 255), 'the knob is not on the left when off')
thumb, dull = images['image/KVRN_slider_thumb.png'], images['image/KVRN_slider_thumb_disabled.png']
def saturation(p):
    return max(p[:3]) - min(p[:3])
check(saturation(thumb.getpixel((12, 12))) > 100 and saturation(dull.getpixel((12, 12))) < 20,
      'the disabled thumb is not grey')
check(images['bk.png'].getpixel((20, 20))[3] == 255, 'the background is not opaque')

if failures:
    print('\n'.join('FAIL: ' + f for f in failures)); sys.exit(1)
print('skin archive: %d members, all images at their sizes' % len(members))
EOF

# The bar's colours come from the engine's formula: the generator's copy of
# it gives the engine's ramp entries (levels 1, 128, 255) at known points.
"$PYTHON" -B - "$SOURCE/skin" <<'EOF'
import sys
sys.path.insert(0, sys.argv[1])
from artgen.colortemp import ramp_entry
worked = {
    999: ((255, 161, 128), (32704, 20730, 16384), (65152, 41299, 32640)),
    2000: ((255, 196, 134), (32704, 25143, 17273), (65152, 50090, 34412)),
    3500: ((255, 224, 198), (32704, 28706, 25396), (65152, 57188, 50595)),
    6500: ((255, 255, 253), (32704, 32647, 32386), (65152, 65039, 64520)),
    6601: ((255, 255, 255), (32704, 32704, 32704), (65152, 65152, 65152)),
    11200: ((225, 234, 255), (28849, 30066, 32704), (57474, 59898, 65152)),
    50000: ((203, 220, 255), (26091, 28257, 32704), (51978, 56294, 65152)),
}
bad = [(k, i) for k, rows in worked.items() for i, row in zip((1, 128, 255), rows)
       if ramp_entry(k, i) != row]
if bad:
    sys.exit('FAIL: the bar formula differs from the engine at %s' % bad)
EOF

# The archive is reproducible: drawing it again gives the same bytes.
"$PYTHON" -B "$SOURCE/skin/build_skin.py" "$SOURCE/skin/RuzerodOradirWnd.xml" "$WORK/again" >/dev/null
cmp -s "$ZIP" "$WORK/again/RuzerodOradirWnd.zip" || fail "a second build gives a different archive"
echo "PASS"
