# shellcheck shell=bash
# Source this file: the checks the end-to-end tests share, with scripts/wine-env's helpers.
#   check NAME EXPECTED ACTUAL   prints ok or FAIL with both values, and counts
#   checks_done                  prints "N passed, N failed"; fails if any failed
#   program_key                  the settings program's registry key
# shellcheck source=scripts/wine-env
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env"
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

# Where the driver reads the page setup and RetVal; stated here, not taken from the program.
program_key='HKCU\Software\Calderwick\ZEMBSerConfig'
