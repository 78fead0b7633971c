#!/usr/bin/env bash
# The program driven with real X keyboard input (xdotool) under Wine: switch
# the unit from the keyboard, type a margin, choose a size, turn the paper
# with its mnemonic and confirm with Enter; then check the file and registry.
# Needs the environment scripts/test sets up (WINEPREFIX, DISPLAY).
set -euo pipefail
program=$1
: "${WINEPREFIX:?run under scripts/test}" "${DISPLAY:?needs a display}"

# shellcheck source=tests/e2e/checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
settings=$(wine_env_settings_path)
rm -f "$settings"
wine reg delete "$program_key" /f >/dev/null 2>&1 || true
press() { xdotool key --delay 60 "$@"; sleep 0.3; }
le() { # offset bytes: signed little-endian integer from the settings file
  od -An -t d"$2" -j "$1" -N "$2" "$settings" | tr -d ' '
}
dword() { # registry value as an unsigned decimal
  local hex
  hex=$(wine_env_reg_value "$program_key" "$1")
  [[ -n "$hex" ]] && echo $((hex)) || echo missing
}

wine "$program" &
pid=$!
window=$(wine_env_sheet_window 30)
if [[ -z "$window" ]]; then
  echo "FAIL the window did not appear"
  exit 1
fi
# The pointer rests away from the window: a dropped list under it would
# follow the pointer instead of the keys.
xdotool mousemove 0 0
wine_env_focus "$window"
sleep 0.5

press ctrl+Tab                 # plotter environment page; focus on its unit list
press F4 Down Return           # inch -> mm, confirmed as a user's choice
press Tab                      # leaf-paper top margin
xdotool type --delay 60 20; sleep 0.3
press ctrl+shift+Tab           # back to the paper page; focus on the size list
press F4 Down Down Down Down Down Down Down Down Return   # Roll(1000)
press alt+l                    # 横(&L): landscape
press Return                   # OK

# Ended means the window is gone and the process has exited.
if ! wine_env_sheet_gone 10; then
  echo "FAIL the sheet is still open after Enter"
  xdotool key Escape
  wait "$pid" || true
  exit 1
fi
wait "$pid" || true

check "leaf top margin (file offset 6)" 20 "$(le 6 4)"
check "roll top margin (file offset 22)" 15 "$(le 22 4)"
check "stored length unit (file offset 8472)" 1 "$(le 8472 2)"
check RetVal 1 "$(dword RetVal)"
check Size 609 "$(dword Size)"
check Orientation 1 "$(dword Orientation)"
check pisroll 1 "$(dword pisroll)"
check Width 1000 "$(dword Width)"
check Height 3000 "$(dword Height)"
check rPage.right 2970 "$(dword rPage.right)"
check rPage.bottom 970 "$(dword rPage.bottom)"

checks_done
