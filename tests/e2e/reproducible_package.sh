#!/usr/bin/env bash
# Two package runs of one commit in two folders: the zip (and so both programs)
# must be the same bytes; the MSIs may differ only where wixl writes something
# new on every run (the package code and the times in the summary information).
# Usage: tests/e2e/reproducible_package.sh [DIST]
#   DIST: the output of scripts/package in this work tree (scripts/test passes
#   dist/). Without it, or when the work tree differs from its commit, two
#   clones are packaged instead of one.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
first=${1:+$(realpath "$1")}
commit=$(git -C "$root" rev-parse HEAD)
work=$(mktemp -d "${TMPDIR:-/tmp}/zemb-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT

package_clone() { # name: packages the commit in a clone of its own; prints where dist went
  git clone -q --shared "$root" "$work/$1"
  git -C "$work/$1" checkout -q --detach "$commit"
  bash "$work/$1/scripts/package" --out "$work/$1-dist" >"$work/$1.log" 2>&1 ||
    { tail -n 30 "$work/$1.log" >&2; echo "FAIL package run in $work/$1" >&2; exit 1; }
  echo "$work/$1-dist"
}

if [[ -z "$first" || -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]]; then
  [[ -n "$first" ]] && echo "the work tree has changes: packaging two clones of $commit"
  first=$(package_clone a)
fi
second=$(package_clone b)

source "$root/tests/e2e/checks.sh"
succeeds() { "$@" && echo yes || echo no; }
# msiinfo export writes a table's binary columns into files under the current folder.
cd "$work"

zip=$(cd "$first" && ls ZEMBSerConfig-*-win-x64.zip)
msi=$(cd "$first" && ls ZEMBSerConfig-*-x64.msi)
check "$zip: the same bytes in both folders" yes "$(succeeds cmp -s "$first/$zip" "$second/$zip")"
mkdir -p "$work/zip-a" "$work/zip-b"
unzip -q "$first/$zip" -d "$work/zip-a"
unzip -q "$second/$zip" -d "$work/zip-b"
for file in "$work/zip-a"/*/*; do
  check "$(basename "$file"): the same bytes" yes "$(succeeds cmp -s "$file" "$work/zip-b/${file#"$work/zip-a/"}")"
done

# The MSI: every table and stream the same; the summary information may differ only in its
# package code and its times.
same_tables() {
  local table
  for table in $(msiinfo tables "$first/$msi"); do
    [[ $table == _SummaryInformation ]] && continue
    cmp -s <(msiinfo export "$first/$msi" "$table") <(msiinfo export "$second/$msi" "$table") ||
      { echo "     table $table differs" >&2; return 1; }
  done
}
same_streams() {
  local stream
  for stream in $(msiinfo streams "$first/$msi"); do
    [[ $stream == *SummaryInformation ]] && continue
    cmp -s <(msiinfo extract "$first/$msi" "$stream") <(msiinfo extract "$second/$msi" "$stream") ||
      { echo "     stream $stream differs" >&2; return 1; }
  done
}
summary_differences() {
  diff <(msiinfo suminfo "$first/$msi") <(msiinfo suminfo "$second/$msi") | sed -n 's/^< \([^:]*\):.*/\1/p'
}
only_wixl_fields() {
  local fields
  fields=$(summary_differences | paste -sd, -)
  echo "     summary information fields that differ: ${fields:-none}" >&2
  [[ -z "$(summary_differences | grep -vxE 'Revision number \(UUID\)|Created|Last saved')" ]]
}
check "$msi: every table the same" yes "$(succeeds same_tables)"
check "$msi: every stream (the programs' cabinet, the icon) the same" yes "$(succeeds same_streams)"
check "$msi: the summary information differs only in the package code and times" yes \
  "$(succeeds only_wixl_fields)"
echo "     $msi: $(cmp -l "$first/$msi" "$second/$msi" | wc -l) of $(stat -c %s "$first/$msi") bytes differ"

checks_done
