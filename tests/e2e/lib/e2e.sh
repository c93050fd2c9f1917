# Shared by the end-to-end scripts: drive the real exe under Wine on the test
# display as a user does (xdotool), and read what the system keeps (the X
# server's gamma ramp, the registry, the log, the statistics journal).
# Expects the environment ./dev prepares: DISPLAY, WINEPREFIX, a running
# wineserver, XGAMMA.

# Debian's interpreter carries python3-pil; a python3 earlier on PATH may not.
E2E_PYTHON=/usr/bin/python3
[[ -x "$E2E_PYTHON" ]] || E2E_PYTHON=python3

E2E_PASSED=0
E2E_FAILED=0
E2E_PID=""
E2E_WINDOW=""

e2e_init() {
  local win64
  win64="$(cd "$1" && pwd)"
  E2E_BUILD="$win64"
  E2E_DIST="$(cd "$win64/../dist64" && pwd)"
  E2E_EXE="$E2E_DIST/OrvaneRuzerodOradirr.exe"
  E2E_TMP="$(mktemp -d)"
  trap 'e2e_cleanup' EXIT
}

e2e_cleanup() {
  e2e_kill
  rm -rf "$E2E_TMP"
}

e2e_winpath() { wine64 winepath -w "$1" 2>/dev/null | tr -d '\r'; }

# The suite's data folder inside the prefix (the common application-data folder).
e2e_data_folder() { echo "$WINEPREFIX/drive_c/ProgramData/Orvane/Pellwick"; }
e2e_log_file() { echo "$(e2e_data_folder)/logs/OrvaneRuzerodOradir.normal.txt"; }
e2e_events_file() { find "$WINEPREFIX/drive_c" -name events.jsonl 2>/dev/null | head -n 1; }

e2e_reg() { wine64 reg "$@" >/dev/null 2>&1; }

# e2e_reg_value KEY VALUE [64|32] -> the data, or nothing when missing
e2e_reg_value() {
  wine64 reg query "$1" /v "$2" "/reg:${3:-64}" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name && $2 ~ /^REG_/ { sub(/^[ \t]*[^ \t]+[ \t]+[^ \t]+[ \t]+/, ""); print; exit }'
}

E2E_TEMPERATURE_KEY='HKLM\SOFTWARE\Orvane\Tamsel\ColorTemperature'
E2E_SUITE_USER_KEY='HKCU\Software\Orvane\Tamsel'

e2e_register_install() {
  e2e_reg add 'HKLM\Software\Orvane\Tamsel' /v OrvaneInstallPath /t REG_SZ /d "$(e2e_winpath "$E2E_DIST")\\" /reg:32 /f
}

# Nothing stored, neutral screen, no journal, no log.
e2e_reset_state() {
  e2e_reg delete "$E2E_TEMPERATURE_KEY" /f /reg:64
  e2e_reg delete "$E2E_SUITE_USER_KEY" /v skinpath /f
  e2e_reg delete 'HKCU\SOFTWARE\Orvane\Tamsel\Configs' /f
  "$XGAMMA" --set-identity
  local events; events="$(e2e_events_file)"
  [[ -z "$events" ]] || rm -f "$events"
  rm -f "$(e2e_log_file)"
}

e2e_start() {
  wine64 "$E2E_EXE" "$@" >/dev/null 2>&1 &
  E2E_PID=$!
}

# Runs the exe to its end and sets E2E_STATUS.
e2e_run() {
  E2E_STATUS=0
  timeout 60 wine64 "$E2E_EXE" "$@" >/dev/null 2>&1 || E2E_STATUS=$?
}

e2e_wait_window() {
  local i
  for i in $(seq 1 200); do
    E2E_WINDOW="$(xdotool search --onlyvisible --name '^Eyeward$' 2>/dev/null | head -n 1 || true)"
    [[ -n "$E2E_WINDOW" ]] && { sleep 1.5; return 0; }
    sleep 0.1
  done
  return 1
}

# Sets E2E_X, E2E_Y, E2E_W, E2E_H of the tool's window.
e2e_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$E2E_WINDOW" | sed 's/^/E2E_GEOM_/')"
  E2E_X=$E2E_GEOM_X; E2E_Y=$E2E_GEOM_Y; E2E_W=$E2E_GEOM_WIDTH; E2E_H=$E2E_GEOM_HEIGHT
}

# Pointer actions at client coordinates of the tool's window.
e2e_move() { e2e_geometry; xdotool mousemove $((E2E_X + $1)) $((E2E_Y + $2)); sleep 0.2; }
e2e_click() { e2e_move "$1" "$2"; xdotool click 1; sleep 0.5; }
e2e_drag() {
  e2e_move "$1" "$2"; xdotool mousedown 1; sleep 0.2
  e2e_move "$3" "$4"; sleep 0.2; xdotool mouseup 1; sleep 0.5
}
e2e_wheel() { e2e_move "$1" "$2"; xdotool click "$3"; sleep 0.5; } # 4 up, 5 down

e2e_screenshot() {
  e2e_geometry
  import -window root -depth 8 "$E2E_TMP/root.png"
  convert "$E2E_TMP/root.png" -crop "${E2E_W}x${E2E_H}+${E2E_X}+${E2E_Y}" +repage "$1"
}

# The colour of one client pixel as "R,G,B".
e2e_pixel() {
  e2e_geometry
  import -window root -depth 8 -crop "1x1+$((E2E_X + $1))+$((E2E_Y + $2))" txt:- 2>/dev/null |
    sed -n '2p' | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/'
}

# The visible top-level window of the shadow's size ("WxH+X+Y"), if any.
e2e_shadow_geometry() {
  local w
  for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w" | sed 's/^/S_/')"
    if [[ "$S_WIDTH" == 526 && "$S_HEIGHT" == 369 ]]; then
      echo "${S_WIDTH}x${S_HEIGHT}+${S_X}+${S_Y}"
      return
    fi
  done
}

# "R,G,B" is clearly the window's blue family (blue well above red).
e2e_is_blue() {
  local r g b
  IFS=, read -r r g b <<<"$1"
  [[ -n "$b" && $b -gt 180 && $((b - r)) -gt 100 ]]
}

# Entry I of channel C (0 red, 1 green, 2 blue) of the X server's ramp.
e2e_gamma() { "$XGAMMA" | sed -n "$(($1 + 1))p" | awk -v i="$2" '{ print $(i + 1) }'; }

# What the X server keeps of the tool's ramp for KELVIN (scale 0.5), entry 255 of channel C.
e2e_expected_gamma() {
  python3 - "$1" "$2" <<'PY'
import math, sys
k = max(1000, min(40000, int(sys.argv[1]))); c = int(sys.argv[2]); t = k // 100
clamp = lambda v: max(0.0, min(255.0, v))
r = 255.0 if t <= 66 else clamp(329.698727446 * (t - 60) ** -0.1332047592)
g = clamp(99.4708025861 * math.log(t) - 161.1195681661) if t <= 66 else clamp(288.1221695283 * (t - 60) ** -0.0755148492)
b = 255.0 if t >= 66 else (0.0 if t <= 19 else clamp(138.5177312231 * math.log(t - 10) - 305.0447927307))
m = [r, g, b][c] * 0.5 + 128
print((int(min(65535.0, 255 * m)) >> 8) * 257)
PY
}

e2e_close_window() {
  [[ -n "$E2E_WINDOW" ]] && e2e_click 461 17
  e2e_wait_exit
}

# Waits for the started exe; E2E_STATUS receives its exit code.
e2e_wait_exit() {
  local i
  E2E_STATUS=""
  for i in $(seq 1 150); do
    if ! kill -0 "$E2E_PID" 2>/dev/null; then
      wait "$E2E_PID" && E2E_STATUS=0 || E2E_STATUS=$?
      E2E_PID=""
      return 0
    fi
    sleep 0.1
  done
  return 1
}

e2e_kill() {
  if [[ -n "$E2E_PID" ]] && kill -0 "$E2E_PID" 2>/dev/null; then
    kill "$E2E_PID" 2>/dev/null || true
    wait "$E2E_PID" 2>/dev/null || true
  fi
  E2E_PID=""
}

# ---- checks ----
e2e_expect_eq() { # WHAT EXPECTED ACTUAL
  if [[ "$2" == "$3" ]]; then
    E2E_PASSED=$((E2E_PASSED + 1)); echo "ok   $1"
  else
    E2E_FAILED=$((E2E_FAILED + 1)); echo "FAIL $1: expected '$2', got '$3'"
  fi
}
e2e_expect_true() { # WHAT COMMAND...
  local what="$1"; shift
  if "$@"; then E2E_PASSED=$((E2E_PASSED + 1)); echo "ok   $what"
  else E2E_FAILED=$((E2E_FAILED + 1)); echo "FAIL $what"; fi
}
e2e_count_events() { # ID -> how many journal lines carry the event id
  local events; events="$(e2e_events_file)"
  [[ -n "$events" ]] || { echo 0; return; }
  grep -c "\"$1\"" "$events" || true
}
# Passes a checker's output through, counting its "ok ..." and "FAIL ..." lines.
# Feed it by redirection (e2e_tally < <(checker)), not a pipe, so the counts stay.
e2e_tally() {
  local line
  while IFS= read -r line; do
    case "$line" in
      ok*) E2E_PASSED=$((E2E_PASSED + 1)) ;;
      FAIL*) E2E_FAILED=$((E2E_FAILED + 1)) ;;
    esac
    echo "$line"
  done
}
e2e_finish() {
  echo "$E2E_PASSED passed, $E2E_FAILED failed"
  [[ "$E2E_FAILED" == 0 ]]
}
