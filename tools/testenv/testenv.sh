# Wine and a dummy X display for the tests and the tool, sourced by ./dev and
# by isolated.sh. Expects ROOT (the source tree) and BUILD (the build folder).
#   testenv_start_display   a private Xorg with the dummy driver; sets DISPLAY
#   testenv_prepare_prefix  creates WINEPREFIX when missing and applies the
#                           project's settings; leaves a wineserver running
#   testenv_stop            ends the wineserver and the display started here

export PATH="/usr/lib/wine:$PATH"   # wine64 and wineserver by their own names
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
TESTENV_XORG_PID=""

# Xorg picks a free display number itself (-displayfd), so environments
# started side by side (ctest runs tests in parallel) never share a display.
testenv_start_display() {
  local conf="$BUILD/xorg-dummy.conf" fdfile="$BUILD/xorg-display.$$" i
  cp "$ROOT/tools/xorg/dummy.conf" "$conf.$$" && mv -f "$conf.$$" "$conf"
  : >"$fdfile"
  Xorg -displayfd 3 -config "$conf" -noreset -nolisten tcp -logfile "$BUILD/xorg.$$.log" \
    3>"$fdfile" >/dev/null 2>&1 &
  TESTENV_XORG_PID=$!
  for i in $(seq 1 150); do
    if [[ -s "$fdfile" ]]; then
      export DISPLAY=":$(tr -dc 0-9 <"$fdfile")"
      rm -f "$fdfile"
      return 0
    fi
    kill -0 "$TESTENV_XORG_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$fdfile"
  echo "the dummy X display did not start; see $BUILD/xorg.$$.log" >&2
  testenv_stop
  return 1
}

testenv_create_prefix() {
  [[ ! -f "$WINEPREFIX/system.reg" ]] || return 0
  wine64 wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  [[ -f "$WINEPREFIX/system.reg" ]]
}

testenv_prepare_prefix() {
  testenv_create_prefix || return 1
  wineserver -p
  local settings="$BUILD/prefix-settings.reg" exe
  {
    printf 'REGEDIT4\n\n'
    # CJK texts render with the installed WenQuanYi font in place of YaHei.
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n"Microsoft YaHei"="WenQuanYi Micro Hei"\n\n'
    # The prefix's own UI language is English; the tool's users and its
    # pictures are Chinese. Tests and ./dev run see the window in Chinese
    # unless they choose a language (tests/e2e/window_language.sh does).
    printf '[HKEY_CURRENT_USER\\Software\\Orvane\\Tamsel]\n"language"="zh-cn"\n\n'
    # Unit-test windows are not handed to a window manager. The test display
    # has none, and Wine waits about 2 s for a managed window to be withdrawn
    # each time one is hidden. The tool itself and the end-to-end programs
    # stay managed, as on a user's desktop.
    for exe in "$BUILD"/win64/tests/test_*.exe; do
      [[ -e "$exe" ]] || continue
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s\\X11 Driver]\n"Managed"="N"\n\n' "${exe##*/}"
    done
  } >"$settings"
  wine64 regedit /S "Z:$settings" >/dev/null 2>&1
}

testenv_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [[ -n "$TESTENV_XORG_PID" ]]; then
    kill "$TESTENV_XORG_PID" 2>/dev/null || true
    wait "$TESTENV_XORG_PID" 2>/dev/null || true
    TESTENV_XORG_PID=""
  fi
}
