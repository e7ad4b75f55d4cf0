#!/usr/bin/env bash
# yardstick_matches.sh SFXTAL_CLI YARDSTICK: on a small sample log, whole and with a period and
# give-up marks, the yardstick's work file and 実績.txt equal sfxtal-cli's byte for byte.
set -euo pipefail
cli=$1
yardstick=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

"$cli" sample-log "$dir/Tevrak.TDB" 20000 3
check() {
  rm -rf "$dir/ours" "$dir/python"
  mkdir "$dir/ours" "$dir/python"
  # Frequency-error questions are answered No, then No: keep going, stop reporting.
  "$cli" import --folder "$dir/ours" "$@" "$dir/Tevrak.TDB" </dev/null >/dev/null 2>&1
  /usr/bin/python3 "$yardstick" --folder "$dir/python" "$@" "$dir/Tevrak.TDB" >/dev/null
  for file in sfxtal.tmp 実績.txt; do
    if ! cmp "$dir/ours/$file" "$dir/python/$file"; then
      echo "$file differs for: $*" >&2
      exit 1
    fi
  done
  if [[ ! -s "$dir/ours/sfxtal.tmp" ]]; then
    echo "no lines written for: $*" >&2
    exit 1
  fi
}
check
check --from 1998-03-01 --to 1999-01-15 --marks JN
echo "the yardstick's work files and 実績.txt are sfxtal-cli's"
