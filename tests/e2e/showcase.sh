#!/usr/bin/env bash
# The showcase window (tools/showcase: every control and layout of the UI
# framework, each in a colour of its own) on the test display: the skin holds
# every element the builder can make, every control sits at the rectangle
# worked out by hand from the markup below, the screen shows that control's
# colour at the spots listed for it, and hovering the animated option plays
# its pictures. The picture is kept as BUILD/showcase/showcase.png
# (docs/showcase.png is a copy).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/e2e.sh"
e2e_init "$1"

BUILD="$(cd "$1" && pwd)"
TOOL="$BUILD/tools/showcase"
OUT="$BUILD/showcase"
REPORT="$OUT/layout.txt"
PICTURE="$OUT/showcase.png"
mkdir -p "$OUT"
rm -f "$REPORT" "$PICTURE"

# Expected layout. The window is 720 x 390; the root vertical layout has
# inset 10 and child padding 10, so its rows start at y = 10, 46, 92, 126,
# 266, 340 with the heights 26, 36, 24, 130, 64, 40 and span x = 10..710.
# In each row the horizontal layout puts its children left to right with its
# own child padding. Probes are spots relative to the rectangle (negative: from the
# right or bottom edge) and the palette colour the screen must show there.
#
# name             class                 rectangle          probes
EXPECTED=$(cat <<'EOF'
showcase           CVerticalLayoutUI     0,0,720,390        3,3=window -4,-4=window
title              CLabelUI              10,10,710,36       -10,13=window
# Row 1, child padding 8: 36 + 90 + 90 + 150 + 90 + 70 + 70 + 36 wide.
row_text           CHorizontalLayoutUI   10,46,710,82       -6,18=window
control            CControlUI            10,46,46,82        3,3=control 18,18=control -4,-4=control
label              CLabelUI              54,46,144,82       3,3=label -4,-4=label 3,-4=label
labelex            CLabelUIEx            152,46,242,82      3,3=labelex -4,-4=labelex -4,3=labelex
text_column        CVerticalLayoutUI     250,46,400,82      3,3=text
text               CTextUI               250,46,400,82      2,2=text -3,-3=text 2,-3=text
button             CButtonUI             408,46,498,82      4,4=button -5,-5=button 4,-5=button
option_on          COptionUI             506,46,576,82      3,3=option_on -4,-4=option_on
option_off         COptionUI             584,46,654,82      3,3=option_off -4,-4=option_off
# 20 high with a top margin of 8 inside the 36 high row.
checkbox           CCheckBoxUI           662,54,698,74      3,3=check_on -4,-4=check_on
# Row 2, child padding 12.
row_values         CHorizontalLayoutUI   10,92,710,116      -6,12=window
# Value 60 of 0..100 fills the left 120 of 200 pixels.
progress           CProgressUI           10,92,210,116      4,12=progress_fore 116,12=progress_fore 124,12=progress_back -4,12=progress_back
# The bar is drawn at y 9..15; value 30 puts the 24 wide thumb at 30 * 176 / 100 = 52.
slider             CSliderUI             222,92,422,116     150,12=slider_bar 64,12=slider_thumb 150,3=window
# Row 3, child padding 10.
row_layouts        CHorizontalLayoutUI   10,126,710,256     -6,65=window
container          CContainerUI          10,126,110,256     3,3=container -4,-4=container
container_child    CControlUI            20,136,100,246     3,3=container_child -4,-4=container_child
# Three columns of 150 / 3 = 50, 4 pixels between cells, rows of 40 plus 4.
tile               CTileLayoutUI         120,126,270,256    3,-4=window
tile_1             CControlUI            120,126,168,166    24,20=tile_1
tile_2             CControlUI            172,126,218,166    23,20=tile_2
tile_3             CControlUI            222,126,270,166    24,20=tile_3
tile_4             CControlUI            120,170,168,210    24,20=tile_4
tile_5             CControlUI            172,170,218,210    23,20=tile_5
tile_6             CControlUI            222,170,270,210    24,20=tile_6
# "selectedid" 1 shows the second page; the first was never placed.
tab                CTabLayoutUI          280,126,380,256    3,3=tab_page_2
tab_page_1         CControlUI            0,0,0,0            hidden
tab_page_2         CControlUI            280,126,380,256    3,3=tab_page_2 -4,-4=tab_page_2
# Content read from ShowcaseChild.xml.
child              CChildLayoutUI        390,126,490,256    3,3=child_top
child_root         CVerticalLayoutUI     390,126,490,256    3,3=child_top
child_top          CControlUI            390,126,490,156    3,3=child_top -4,-4=child_top
child_rest         CControlUI            390,156,490,256    3,3=child_rest -4,-4=child_rest
# Four children of 50 in 130: the bar (16 wide) appears with range 70; its
# thumb is 130 * 130 / (130 + 70) = 84 long. Children below 256 are cut off.
scroller           CVerticalLayoutUI     500,126,620,256    3,3=scroll_1
scroller.vbar      CScrollBarUI          604,126,620,256    8,4=scroll_thumb 8,80=scroll_thumb 8,90=scroll_track
scroll_1           CControlUI            500,126,604,176    3,3=scroll_1 -4,-4=scroll_1
scroll_2           CControlUI            500,176,604,226    3,3=scroll_2 -4,-4=scroll_2
scroll_3           CControlUI            500,226,604,276    3,3=scroll_3 3,26=scroll_3
scroll_4           CControlUI            500,276,604,326
# Buttons of 16 at both ends, track 98, thumb 130 * 98 / 230 = 55 long at
# 142 + (98 - 55) * 50 / 100 = 163.
scrollbar          CScrollBarUI          630,126,646,256    8,8=scrollbar_button 8,-8=scrollbar_button 8,24=scrollbar_track 8,64=scrollbar_thumb 8,100=scrollbar_track
# Row 4, child padding 10: the pictures have played to their end.
row_pictures       CHorizontalLayoutUI   10,266,710,330     -6,32=window
gif                CGifAnimUI            10,266,74,330      32,32=gif_3 6,6=gif_3 -7,-7=gif_3
sequence           CSequencePictureUI    84,266,148,330     32,32=sequence_3 3,3=sequence_3
rotate             CRotateAnimateUI      158,266,222,330    32,8=rotate_top 32,-8=rotate_bottom
# Row 5, child padding 10: the extended controls.
row_extended       CHorizontalLayoutUI   10,340,710,380     -6,20=window
# Rail 8 high in the middle: the left part 10 wide, then the rail; value 50 of
# 0..100 at 2 pixels a unit fills 10..110 and centres the 12 x 16 thumb on 100.
sliderex           CSliderCtrlEx         10,348,210,372     5,12=sliderex_left 50,12=sliderex_fill 108,12=sliderex_fill 100,12=sliderex_thumb 150,12=sliderex_rail 100,2=window
# The line (4 high, centred) is filled up to 50 * 200 / 100 = 100, the point
# (12 x 12) follows, the ring (24 x 24) turns over the point's centre.
progressex         CProgressExUI         220,348,420,372    50,12=progressex_fore 150,12=progressex_back 50,4=window 106,12=progressex_point 106,1=progressex_ring
# Positions 0..2 on a 60 wide switch with a 20 wide knob: position 1 puts the knob at 20.
switch             CButtonSwitchExUI     430,346,490,374    10,14=switch_back 30,14=switch_knob 50,14=switch_back
custombutton       CCustomButtonUI       500,340,620,380    -4,3=custombutton -4,-4=custombutton 3,3=custombutton
animoption         CAnimationOptionUI    630,340,700,380    3,3=animoption -4,-4=animoption
EOF
)

SOURCE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# Every element the builder can make appears in the showcase skin.
for element in $(sed -n 's/.*{L"\([A-Za-z]*\)", L"C[A-Za-z]*", [a-z]*, &Make.*/\1/p' "$SOURCE/ui/core/build/ControlFactory.cpp"); do
  e2e_expect_true "the showcase holds a $element" grep -q "<$element " "$SOURCE"/tools/showcase/skin/*.xml
done

e2e_expect_true "the showcase tool was built" test -x "$TOOL/orvane_showcase.exe"
xdotool mousemove 0 0 # no control starts hot
E2E_EXE="$TOOL/orvane_showcase.exe"
e2e_start "$(e2e_winpath "$REPORT")"

wait_for_report() {
  local i
  for i in $(seq 1 300); do
    [[ -s "$REPORT" ]] && return 0
    sleep 0.1
  done
  return 1
}
e2e_expect_true "the showcase reports its layout once its pictures are at rest" wait_for_report
E2E_WINDOW="$(xdotool search --onlyvisible --name '^SkinUI Showcase$' 2>/dev/null | head -n 1 || true)"
e2e_expect_true "the showcase window is on the display" test -n "$E2E_WINDOW"
if [[ -z "$E2E_WINDOW" || ! -s "$REPORT" ]]; then
  e2e_finish
  exit 1
fi
sleep 0.5
e2e_geometry
e2e_expect_eq "window size" "720x390" "${E2E_W}x${E2E_H}"
e2e_screenshot "$PICTURE"
echo "picture: $PICTURE"

palette="$("$E2E_PYTHON" -B "$SOURCE/tools/showcase/make_showcase_art.py" --palette)"
e2e_tally < <("$E2E_PYTHON" - "$REPORT" "$PICTURE" "$palette" "$EXPECTED" <<'PY'
import sys
from PIL import Image

report_path, picture_path, palette_text, expected_text = sys.argv[1:5]
TOLERANCE = 12

palette = {}
for line in palette_text.splitlines():
    name, hex_colour = line.split()
    palette[name] = tuple(int(hex_colour[i:i + 2], 16) for i in (0, 2, 4))

placed, states = {}, {}
for line in open(report_path, encoding='utf-8').read().splitlines():
    fields = line.split('\t')
    if fields[0] == 'state':
        states[fields[1]] = dict(item.split('=', 1) for item in fields[2].split())
    else:
        name, cls, rect, shown = fields
        placed[name] = (cls.split('::')[-1], tuple(int(v) for v in rect.split(',')), shown)

picture = Image.open(picture_path).convert('RGB')

def close(a, b):
    return all(abs(x - y) <= TOLERANCE for x, y in zip(a, b))

listed = set()
for line in expected_text.splitlines():
    if not line.strip() or line.startswith('#'):
        continue
    name, cls, rect, *probes = line.split()
    listed.add(name)
    if name not in placed:
        print('FAIL %s: not in the report' % name)
        continue
    got_cls, got_rect, shown = placed[name]
    rect = tuple(int(v) for v in rect.split(','))
    verdict = 'ok  ' if (got_cls, got_rect) == (cls, rect) else 'FAIL'
    print('%s %s is a %s at %s (got %s at %s)' % (verdict, name, cls, rect, got_cls, got_rect))
    want_shown = 'hidden' if probes == ['hidden'] else 'shown'
    if shown != want_shown:
        print('FAIL %s is %s, expected %s' % (name, shown, want_shown))
    for probe in probes:
        if probe == 'hidden':
            continue
        spot, colour = probe.split('=')
        dx, dy = (int(v) for v in spot.split(','))
        x = (rect[0] if dx >= 0 else rect[2]) + dx
        y = (rect[1] if dy >= 0 else rect[3]) + dy
        seen = picture.getpixel((x, y))
        verdict = 'ok  ' if close(seen, palette[colour]) else 'FAIL'
        print('%s %s shows %s at %d,%d (#%02X%02X%02X)' % ((verdict, name, colour, x, y) + seen))

for name in sorted(set(placed) - listed):
    if name != '-':
        print('FAIL %s (%s) is on the window but not in the expected layout' % (name, placed[name][0]))

def expect_state(name, key, value):
    got = states.get(name, {}).get(key)
    print('%s %s %s=%s (got %s)' % ('ok  ' if got == value else 'FAIL', name, key, value, got))

# The pictures ran through: the GIF's three frames once, the sequence to its
# last picture, the turning picture a whole turn and back to rest.
expect_state('gif', 'frames', '3')
expect_state('gif', 'delay', '300')
expect_state('gif', 'playing', '0')
expect_state('sequence', 'stopped', '1')
expect_state('sequence', 'picture', 'sequence3.png')
expect_state('rotate', 'stopped', '1')
expect_state('rotate', 'step', '0')
PY
)

# Hovering the animated option plays its hover pictures over it.
palette_rgb() { # NAME-PATTERN -> "R,G,B" of each matching palette entry
  local name hex
  while read -r name hex; do
    [[ "$name" == $1 ]] && printf '%d,%d,%d\n' "0x${hex:0:2}" "0x${hex:2:2}" "0x${hex:4:2}"
  done <<<"$palette"
}
e2e_move 665 360
sleep 0.6
seen="$(e2e_pixel 633 343)"
e2e_expect_true "hovering the animated option shows a hover picture (saw $seen)" \
  grep -qx "$seen" <<<"$(palette_rgb 'hover_*')"
e2e_move 665 386
sleep 0.4
e2e_expect_eq "leaving it shows its own picture again" "$(palette_rgb animoption)" "$(e2e_pixel 633 343)"

e2e_kill
e2e_finish
