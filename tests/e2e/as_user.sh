#!/usr/bin/env bash
# The tests that need an ordinary user (AsUser.*), in a fresh prefix of that
# user's own: Wine run as root writes read-only files and opens any folder.
# Run as root (as CI is), it makes the system user zembtest when missing; run
# as anyone else, it runs them as that user.
# Usage (inside a scripts/wine-env environment): as_user.sh win_tests.exe
set -euo pipefail
tests=$(realpath "$1")
: "${WINE_ENV_DIR:?run inside a scripts/wine-env environment}" "${DISPLAY:?needs a display}"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
user=zembtest
work=$(mktemp -d /tmp/zemb-as-user.XXXXXX)
chmod 755 "$work"
# A documents folder no ordinary user may open.
mkdir -m 000 "$work/locked"
run=(bash)
if ((EUID == 0)); then
  id -u "$user" >/dev/null 2>&1 ||
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$user"
  mkdir "$work/user"
  chown "$user" "$work/user"
  run=(runuser -u "$user" -- bash)
else
  mkdir "$work/user"
fi
cleanup() { rm -rf "$work"; }
trap cleanup EXIT

rc=0
output=$("${run[@]}" -c '
  set -e
  source "$1/scripts/wine-env"
  wine_env_export_defaults
  export TMPDIR="$2/tmp" ZEMB_LOCKED_FOLDER="$3"
  mkdir -p "$TMPDIR"
  wine_env_fresh_prefix "$2"
  status=0
  wine "$4" --gtest_filter="AsUser.*" || status=$?
  wine_env_stop_server
  exit $status' as_user "$here" "$work/user" "$work/locked" "$tests" 2>&1) || rc=$?
echo "$output"
# Filtered away or skipped must not pass; nothing may appear in the locked folder.
((rc == 0)) && grep -q '^\[  PASSED  \] 2 tests\.' <<<"$output" && [[ -z "$(ls -A "$work/locked")" ]]
