#!/usr/bin/env bash
# zembcfg export on one machine, import on another: the export half of the
# transfer test in the environment's prefix, the import half in a fresh prefix
# (and HOME) of its own, removed again afterwards. Both reach the folder they
# share through drive Z:.
# Usage (inside the environment scripts/test sets up): transfer_two_prefixes.sh win_tests.exe
set -euo pipefail
tests=$1
: "${WINE_ENV_DIR:?run inside a scripts/wine-env environment}" "${DISPLAY:?needs a display}"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env"
ZEMB_TRANSFER_DIR=$(mktemp -d "$WINE_ENV_DIR/transfer.XXXXXX")
export ZEMB_TRANSFER_DIR
fresh=""
cleanup() {
  [[ -n "$fresh" ]] && wine_env_stop_server
  rm -rf "$ZEMB_TRANSFER_DIR" "$fresh"
}
trap cleanup EXIT

# A half that was skipped or filtered away must not pass.
half() {
  local output rc=0
  output=$(wine "$tests" --gtest_filter="ZembcfgTransfer.$1Half" 2>&1) || rc=$?
  echo "$output"
  ((rc == 0)) && grep -q '^\[  PASSED  \] 1 test\.' <<<"$output"
}

half Export
fresh=$(mktemp -d "$WINE_ENV_DIR/fresh.XXXXXX")
wine_env_fresh_prefix "$fresh"
half Import
