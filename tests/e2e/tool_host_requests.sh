#!/usr/bin/env bash
# What the suite asks of the running window, and the tool's behaviour around
# the suite's services: copy-data 0x51 with a "skinpath" picture and 0x52,
# a "skinpath" naming a missing file, participation 0, the statistics library
# missing or unsigned, a corrupt "cfg.dll" and "c:\config.xml".
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/e2e.sh"
e2e_init "$1"
e2e_register_install
SEND="$E2E_BUILD/tools/copydata/orvane_copydata.exe"
send() { wine64 "$SEND" "$@" >/dev/null 2>&1; }

# ---- 0x51: the host changed its picture; 0x52 with no bytes is ignored; 0x52 resets and quits ----
e2e_reset_state
convert -size 920x600 xc:'#20A040' "$E2E_TMP/green.png"
e2e_start
e2e_expect_true "the window appears" e2e_wait_window
e2e_expect_true "the built-in background is blue" e2e_is_blue "$(e2e_pixel 240 5)"
e2e_reg add "$E2E_SUITE_USER_KEY" /v skinpath /d "$(e2e_winpath "$E2E_TMP/green.png")" /f
send 0x51
sleep 1
e2e_expect_eq "0x51 shows the host's picture" "32,160,64" "$(e2e_pixel 240 5)"
e2e_click 432 132 # eye comfort on: 3500 K on screen
send 0x52 0
sleep 1
e2e_expect_true "0x52 without bytes leaves the tool running" kill -0 "$E2E_PID"
send 0x52
e2e_wait_exit
e2e_expect_eq "0x52 ends the tool with 0" "0" "$E2E_STATUS"
e2e_expect_eq "0x52 puts 6500 K on screen" "$(e2e_expected_gamma 6500 2)" "$(e2e_gamma 2 255)"
e2e_expect_eq "0x52 keeps the stored switch" "true" "$(e2e_reg_value "$E2E_TEMPERATURE_KEY" Eye_Protection)"

# ---- "skinpath" naming a missing file: the built-in picture ----
e2e_reset_state
e2e_reg add "$E2E_SUITE_USER_KEY" /v skinpath /d 'C:\no\such\picture.png' /f
e2e_start
e2e_wait_window
e2e_expect_true "a missing skinpath picture falls back to the built-in one" e2e_is_blue "$(e2e_pixel 240 5)"
e2e_close_window

# ---- participation 0: no events, the tool works ----
e2e_reset_state
e2e_reg add 'HKCU\SOFTWARE\Orvane\Tamsel\Configs' /v participation /d 0 /f /reg:64
e2e_start
e2e_wait_window
e2e_click 432 132
e2e_close_window
e2e_expect_eq "participation 0: switch still stored" "true" "$(e2e_reg_value "$E2E_TEMPERATURE_KEY" Eye_Protection)"
e2e_expect_eq "participation 0: no HS201" "0" "$(e2e_count_events HS201)"
e2e_expect_eq "participation 0: no HS206" "0" "$(e2e_count_events HS206)"

# ---- the statistics library missing, then unsigned: silent, the tool works ----
# In a copy of the suite folder: tests running meanwhile use the built one.
suite="$E2E_TMP/suite"
cp -a "$E2E_DIST" "$suite"
e2e_reg add 'HKLM\Software\Orvane\Tamsel' /v OrvaneInstallPath /t REG_SZ /d "$(e2e_winpath "$suite")\\" /reg:32 /f
for variant in missing unsigned; do
  e2e_reset_state
  if [[ $variant == missing ]]; then
    rm -f "$suite/mirtel.dll"
  else
    osslsigncode remove-signature -in "$E2E_DIST/mirtel.dll" -out "$suite/mirtel.dll" >/dev/null 2>&1 ||
      cp "$E2E_DIST/mirtel.dll" "$suite/mirtel.dll"
  fi
  e2e_start
  e2e_expect_true "library $variant: the window appears" e2e_wait_window
  e2e_click 432 132
  e2e_close_window
  e2e_expect_eq "library $variant: closes with 0" "0" "$E2E_STATUS"
  e2e_expect_eq "library $variant: switch stored" "true" "$(e2e_reg_value "$E2E_TEMPERATURE_KEY" Eye_Protection)"
  e2e_expect_eq "library $variant: no journal" "" "$(e2e_events_file)"
done
e2e_register_install

# ---- a corrupt cfg.dll and c:\config.xml: the tool still starts and works ----
e2e_reset_state
cfg="$(e2e_data_folder)/cfg.dll"
config_xml="$WINEPREFIX/drive_c/config.xml"
head -c 777 /dev/urandom > "$cfg"
printf '<config><api>{"broken": [</api' > "$config_xml"
e2e_run -tamsel
e2e_expect_eq "corrupt configuration: -tamsel still exits with 0" "0" "$E2E_STATUS"
e2e_expect_eq "corrupt configuration: neutral on screen" "$(e2e_expected_gamma 6600 2)" "$(e2e_gamma 2 255)"
rm -f "$cfg" "$config_xml"

e2e_finish
