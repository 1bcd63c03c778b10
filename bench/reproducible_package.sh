#!/usr/bin/env bash
# Checks that a release is reproducible: clones the checked-out commit into
# two folders of different names and depths, runs scripts/package in each, one
# after the other (so minutes apart), and compares the two archives and the
# two setup programs byte for byte. Also looks for the clones' folders inside
# the programs and the setup programs. Exit code 1 when anything differs.
# Takes about two builds' time.
#   bench/reproducible_package.sh [WORK_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$root/build/reproducible}
rm -rf "$work"
clones=("$work/a/Vantrel" "$work/second/clone/of/vantrel")

archives=()
for clone in "${clones[@]}"; do
  git clone -q "$root" "$clone"
  echo "package: $clone ($(date -u +%H:%M:%S))"
  archives+=("$("$clone/scripts/package" 2>"$clone.log" | tail -n 1)")
done

setups=("${archives[@]/%-win64.zip/-setup.exe}")
status=0
for i in 0 1; do
  sha256sum "${archives[$i]}" "${setups[$i]}"
  unzip -q "${archives[$i]}" 'Vantrel.*' -d "$work/unpacked$i"
  if grep -a -q -e "$work" -e "$root" "$work/unpacked$i"/* "${setups[$i]}"; then
    echo "a build folder is named inside the programs of ${archives[$i]} or its setup program"
    status=1
  fi
done
compare() {  # what, first file, second file
  if cmp "$2" "$3"; then
    echo "reproducible: the two $1 are byte-identical"
  else
    status=1
  fi
}
compare archives "${archives[@]}"
compare "setup programs" "${setups[@]}"
exit $status
