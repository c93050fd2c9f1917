#!/usr/bin/env bash
# The window in the user's language. A test build of the window
# (tools/windowprobe: the tool's window and resources, started as a plain
# start does) reports the texts it shows and where they landed, with the
# language chosen by the user's registry value ("zh-cn", "en", one without a
# file), by the local configuration over the registry, in English at 150 %
# and 200 % display scale, and with an English file that lacks texts. Every shown text fits its control, every control its
# container and the window, and no two controls overlap. The tool itself is
# then shown in Chinese, which is pixel for pixel what its skin alone shows,
# and in English; that picture is kept as BUILD/window_language/window_en.png
# (docs/screenshot-en.png is a copy).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/e2e.sh"
e2e_init "$1"

BUILD="$(cd "$1" && pwd)"
PROBE="$BUILD/tools/windowprobe/orvane_windowprobe.exe"
OUT="$BUILD/window_language"
mkdir -p "$OUT"
rm -f "$OUT"/*

e2e_register_install
e2e_reset_state
e2e_expect_true "the window probe was built" test -x "$PROBE"

# The skin's text ids, the language files' keys, and the Chinese window as it
# has always been: each text and the rectangle it is placed in.
#
# id  key                     Chinese text                  rectangle
TEXTS=$(cat <<'EOF'
1   title                   Eyeward                       38,0,91,33
2   minimize                最小化                        tooltip:BtnMin
3   close                   关闭                          tooltip:BtnClose
4   slogan                  爱护双眼，保护视力            30,33,300,94
5   eye_comfort             护眼模式                      210,120,274,144
6   eye_comfort_tip         降低蓝光辐射，预防用眼疲劳    210,148,392,168
7   color_temperature       色温调节                      210,197,274,221
8   restore_defaults        还原默认设置                  366,197,450,221
9   color_temperature_tip   可调整到您认为舒适的色调      210,225,378,245
11  scale_recommended       推荐                          hidden
10  scale_weak              弱                            210,279,224,297
12  scale_strong            极强                          422,279,450,297
EOF
)

set_language() { e2e_reg add "$E2E_SUITE_USER_KEY" /v language /d "$1" /f; }

# probe NAME [EXE]: runs the probe (or a copy of it) and leaves OUT/NAME.txt.
probe() {
  local report="$OUT/$1.txt"
  timeout 60 wine64 "${2:-$PROBE}" "$(e2e_winpath "$report")" >/dev/null 2>&1
  e2e_expect_true "$1: the window reports its texts" test -s "$report"
}

# check NAME LANGUAGE-FILE|chinese [CHINESE-RECTANGLES]: the texts of OUT/NAME.txt are the
# language file's (the Chinese text where the file lacks one), and they fit.
check() {
  e2e_tally < <("$E2E_PYTHON" - "$OUT/$1.txt" "$2" "${3:-}" "$TEXTS" "$1" <<'PY'
import itertools, sys
import xml.etree.ElementTree as ET

report_path, language_file, check_rects, table, name = sys.argv[1:6]

translated = {}
if language_file != 'chinese':
    for entry in ET.parse(language_file).getroot():
        if entry.tag.lower() == 'string' and entry.attrib:
            translated.setdefault(next(iter(entry.attrib.values())), entry.text or '')

def verdict(good):
    return 'ok  ' if good else 'FAIL'

def rect(text):
    return tuple(int(v) for v in text.split(','))

window, texts, tooltips, controls = None, {}, {}, []
for line in open(report_path, encoding='utf-8').read().splitlines():
    fields = line.split('\t')
    if fields[0] == 'window':
        window = rect(fields[1])
    elif fields[0] == 'text':
        texts[fields[1]] = (fields[2], rect(fields[3]), rect(fields[4]), rect(fields[5]))
    elif fields[0] == 'tooltip':
        tooltips[fields[1]] = fields[2]
    elif fields[0] == 'control':
        controls.append((fields[1], rect(fields[2])))

for row in table.splitlines():
    text_id, key, chinese, placed = row.split()
    want = translated.get(key) or chinese
    if placed.startswith('tooltip:'):
        control = placed.split(':')[1]
        got = tooltips.get(control)
        print('%s %s: tooltip of %s is "%s" (got "%s")' % (verdict(got == want), name, control, want, got))
        continue
    got = texts.get('%%{%s}' % text_id)
    if placed == 'hidden':
        print('%s %s: %s is not shown' % (verdict(got is None), name, key))
        continue
    print('%s %s: %s shows "%s" (got "%s")' % (verdict(got is not None and got[0] == want), name, key, want,
                                               got and got[0]))
    if got and check_rects:
        print('%s %s: %s sits at %s (got %s)' % (verdict(got[1] == rect(placed)),
                                                  name, key, placed, ','.join(map(str, got[1]))))

def inside(inner, outer):
    return outer[0] <= inner[0] and outer[1] <= inner[1] and inner[2] <= outer[2] and inner[3] <= outer[3]

for shown, box, (need_w, need_h), container in sorted(texts.values()):
    width, height = box[2] - box[0], box[3] - box[1]
    print('%s %s: "%s" needs %dx%d, has %dx%d' % (verdict(need_w <= width and need_h <= height), name, shown,
                                                  need_w, need_h, width, height))
    print('%s %s: "%s" at %s lies inside its container %s' % (verdict(inside(box, container)), name, shown,
                                                               box, container))

cut = [(control, box) for control, box in controls if not inside(box, window)]
for control, box in cut:
    print('FAIL %s: %s at %s is cut by the window %s' % (name, control, box, window))
solid = [(control, box) for control, box in controls if box[2] > box[0] and box[3] > box[1]]
overlaps = [(a, b) for a, b in itertools.combinations(solid, 2)
            if max(a[1][0], b[1][0]) < min(a[1][2], b[1][2]) and max(a[1][1], b[1][1]) < min(a[1][3], b[1][3])]
for a, b in overlaps:
    print('FAIL %s: %s at %s overlaps %s at %s' % (name, a[0], a[1], b[0], b[1]))
print('%s %s: %d controls inside the window, none overlapping' % (verdict(not cut and not overlaps), name,
                                                                   len(solid)))
PY
)
}

LAN="$E2E_DIST/skin/lan"

# ---- The language chosen by the user's registry value ----
set_language zh-cn
probe zh-cn
check zh-cn chinese rectangles
set_language en
probe en
check en "$LAN/en.dat"
# No file for the language: the skin's Chinese texts.
set_language fr
probe fr
check fr chinese rectangles

# ---- The local configuration beside the exe wins over the registry ----
CONFIGURED="$E2E_TMP/configured"
mkdir -p "$CONFIGURED"
cp "$PROBE" "$CONFIGURED/"
printf '[config]\r\nlanguage=en\r\n' >"$CONFIGURED/config.ini"
set_language zh-cn
probe configured "$CONFIGURED/${PROBE##*/}"
check configured "$LAN/en.dat"

# ---- At 150 % and 200 % display scale the English texts fit as well ----
DESKTOP='HKCU\Control Panel\Desktop'
set_language en
for dpi in 144 192; do
  e2e_reg add "$DESKTOP" /v LogPixels /t REG_DWORD /d $dpi /f
  probe "en-$dpi"
  check "en-$dpi" "$LAN/en.dat"
done
e2e_reg delete "$DESKTOP" /v LogPixels /f

# ---- An English file that lacks texts: those stay Chinese ----
PARTIAL="$E2E_TMP/partial"
mkdir -p "$PARTIAL/skin/lan"
grep -v -e 'id="slogan"' -e 'id="close"' "$LAN/en.dat" | sed 's|\(id="scale_strong">\)[^<]*|\1|' \
  >"$PARTIAL/skin/lan/en.dat"
e2e_reg add 'HKLM\Software\Orvane\Tamsel' /v OrvaneInstallPath /t REG_SZ /d "$(e2e_winpath "$PARTIAL")\\" /reg:32 /f
set_language en
probe partial
check partial "$PARTIAL/skin/lan/en.dat"
e2e_expect_eq "partial: the missing slogan is the Chinese one" "爱护双眼，保护视力" \
  "$(awk -F'\t' '$2 == "%{4}" { print $3 }' "$OUT/partial.txt")"
e2e_register_install

# ---- The tool itself: Chinese as its skin alone shows it, and English ----
shot() { # LANGUAGE PICTURE
  set_language "$1"
  e2e_reset_state
  xdotool mousemove 0 0 # no control starts hot
  e2e_start
  e2e_expect_true "$1: the tool's window appears" e2e_wait_window
  e2e_screenshot "$2"
  e2e_close_window
}
shot zh-cn "$OUT/window_zh-cn.png"
shot fr "$OUT/window_skin_only.png"
shot en "$OUT/window_en.png"
e2e_expect_true "the Chinese window is what the skin alone shows, every pixel" \
  "$E2E_PYTHON" - "$OUT/window_zh-cn.png" "$OUT/window_skin_only.png" <<'PY'
import sys
from PIL import Image, ImageChops
a, b = (Image.open(p).convert('RGB') for p in sys.argv[1:3])
sys.exit(a.size != b.size or ImageChops.difference(a, b).getbbox() is not None)
PY
e2e_expect_true "the English window differs from the Chinese one" \
  bash -c '! cmp -s <(convert "$1" rgb:-) <(convert "$2" rgb:-)' _ "$OUT/window_zh-cn.png" "$OUT/window_en.png"
echo "picture: $OUT/window_en.png"

e2e_finish
