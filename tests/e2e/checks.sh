# shellcheck shell=bash
# Source this file: the checks the end-to-end tests share.
#   check NAME EXPECTED ACTUAL   prints ok or FAIL with both values, and counts
#   checks_done                  prints "N passed, N failed"; fails if any failed
#   sheet_window SECONDS         waits that long for the settings program's sheet to show;
#                                prints its X window, or nothing
#   focus WINDOW                 gives that window the keyboard focus (tries for about 5 s)
checks_passed=0
checks_failed=0
check() {
  if [[ "$2" == "$3" ]]; then
    echo "ok   $1: $3"
    checks_passed=$((checks_passed + 1))
  else
    printf 'FAIL %s\n  expected: %s\n  got:      %s\n' "$1" "$2" "$3"
    checks_failed=$((checks_failed + 1))
  fi
}
checks_done() {
  echo "$checks_passed passed, $checks_failed failed"
  ((checks_failed == 0))
}

# The sheet itself, not a message box or a window another test left behind.
sheet_title='^Tervikon\(HP-GL\)のプロパティ$'
sheet_window() {
  timeout "$1" xdotool search --sync --onlyvisible --name "$sheet_title" | head -n 1 || true
}
focus() {
  local _
  for _ in $(seq 50); do
    xdotool windowfocus "$1" 2>/dev/null || true
    [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$1" ]] && break
    sleep 0.1
  done
  return 0
}
