#!/usr/bin/env bash
# Checks that a release is reproducible: clones the checked-out commit into
# two folders of different names and depths, runs scripts/package in each, one
# after the other (so minutes apart), and compares the two archives byte for
# byte. Also looks for the clones' folders inside the programs. Exit code 1
# when anything differs. Takes about two builds' time.
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

status=0
for i in 0 1; do
  sha256sum "${archives[$i]}"
  unzip -q "${archives[$i]}" 'Vantrel.*' -d "$work/unpacked$i"
  if grep -a -q -e "$work" -e "$root" "$work/unpacked$i"/*; then
    echo "a build folder is named inside the programs of ${archives[$i]}"
    status=1
  fi
done
if cmp "${archives[0]}" "${archives[1]}"; then
  echo "reproducible: the two archives are byte-identical"
else
  status=1
fi
exit $status
