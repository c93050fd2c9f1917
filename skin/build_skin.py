#!/usr/bin/env python3
"""Builds the tool's skin: draws every image the markup names at the size it
is shown at, packs them with the markup into the skin archive and renders a
preview sheet of the window.

    build_skin.py MARKUP OUTPUT_DIR

Writes OUTPUT_DIR/RuzerodOradirWnd.zip (the archive the exe embeds), the
loose images under OUTPUT_DIR/files/ and OUTPUT_DIR/preview.png. The same
sources give the same bytes on every run: pictures are drawn from code, PNGs
carry no time stamps and archive entries have fixed dates and order.
"""

import os
import sys
import zipfile
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from artgen import controls, scenes  # noqa: E402
from artgen.markup import Skin  # noqa: E402
from artgen.preview import compose  # noqa: E402

# The controller's default background: a 920 x 600 picture of which the
# window draws the top 920 x 540 ("file='bk.png' source='0,0,920,540'").
BACKGROUND_NAME = 'bk.png'
BACKGROUND_SIZE = (920, 600)
BACKGROUND_SOURCE = (920, 540)

ZIP_DATE = (1980, 1, 1, 0, 0, 0)


def recipes(skin):
    """Archive name -> drawing function(width, height)."""
    slider = skin.slider('ColorTemperature')
    window_w, window_h = skin.window_size()
    shadow_name, corner = skin.shadow()
    round_corner = int(skin.root.get('roundcorner', '0,0').split(',')[0])
    return {
        'image/KVRN_icon_popup_qidongguanli@1x.png': controls.title_icon,
        'image/topbar_min_normal.png': controls.minimise_button('normal'),
        'image/topbar_min_hover.png': controls.minimise_button('hover'),
        'image/topbar_min_click.png': controls.minimise_button('click'),
        'image/topbar_close_normal.png': controls.close_button('normal'),
        'image/topbar_close_hover.png': controls.close_button('hover'),
        'image/topbar_close_click.png': controls.close_button('click'),
        'image/KVRN_icon_bk.png': scenes.eye_comfort_illustration,
        'image/KVRN_minibutton_on@1x.png': controls.switch(True),
        'image/KVRN_minibutton_off@1x.png': controls.switch(False),
        'image/KVRN_colortemperature.png': controls.colour_bar(slider, True),
        'image/KVRN_colortemperature_disabled.png': controls.colour_bar(slider, False),
        'image/KVRN_slider_thumb.png': controls.slider_thumb(True),
        'image/KVRN_slider_thumb_disabled.png': controls.slider_thumb(False),
        shadow_name: scenes.drop_shadow(window_w, window_h, corner, round_corner),
        BACKGROUND_NAME: scenes.window_background(window_w, window_h, *BACKGROUND_SOURCE),
    }


def images_to_draw(skin):
    """(name, size) of every image: those the markup names, then bk.png."""
    sizes = {}
    for name, size, element, attribute in skin.image_uses():
        if name in sizes and sizes[name] != size:
            raise SystemExit('%s is shown at two sizes: %s and %s' % (name, sizes[name], size))
        sizes[name] = size
    sizes[BACKGROUND_NAME] = BACKGROUND_SIZE
    return sorted(sizes.items())


def write_png(picture, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    # No optional chunks: the bytes depend on the pixels only.
    picture.save(path, format='PNG', optimize=False, compress_level=9)


def write_archive(path, members):
    """members: [(archive name, file path)], stored in the given order."""
    temporary = path + '.tmp'
    with zipfile.ZipFile(temporary, 'w') as archive:
        for name, source in members:
            with open(source, 'rb') as handle:
                data = handle.read()
            info = zipfile.ZipInfo(name, date_time=ZIP_DATE)
            # PNGs are compressed already: deflate only what it shrinks.
            shrinks = len(zlib.compress(data, 9)) < len(data)
            info.compress_type = zipfile.ZIP_DEFLATED if shrinks else zipfile.ZIP_STORED
            info.create_system = 0
            info.external_attr = 0
            archive.writestr(info, data, compresslevel=9)
    os.replace(temporary, path)


def main(argv):
    if len(argv) != 3:
        raise SystemExit(__doc__)
    markup_path, out_dir = argv[1], argv[2]
    skin = Skin(markup_path)
    table = recipes(skin)
    files_dir = os.path.join(out_dir, 'files')
    members = [(os.path.basename(markup_path), markup_path)]
    for name, (width, height) in images_to_draw(skin):
        if name not in table:
            raise SystemExit('no drawing for %s, named by the markup' % name)
        picture = table[name](width, height)
        if picture.size != (width, height):
            raise SystemExit('%s drawn at %s, shown at %s' % (name, picture.size, (width, height)))
        path = os.path.join(files_dir, name)
        write_png(picture, path)
        members.append((name, path))
    write_archive(os.path.join(out_dir, 'RuzerodOradirWnd.zip'), members)
    compose(markup_path, files_dir).save(os.path.join(out_dir, 'preview.png'), optimize=False)


if __name__ == '__main__':
    main(sys.argv)
