#!/usr/bin/env bash
# make run's program folder: the first start writes an SFXTAL.INI naming the sample log, a later
# start keeps what the operator changed there, and without a display the job runs headless.
set -euo pipefail
build=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder="$work/run folder"
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$source_dir/tools/run-sample.sh" "$build" "$folder" 2>&1)
[[ $(head -n 1 <<<"$out") == "run: no display"* ]] || fail "no display line: $out"
[[ $(tail -n 1 <<<"$out") == "交信実績  "*"/ 18,278   "*"%" ]] || fail "no results caption: $out"
expected=$(printf '[SFXTAL]\r\nTevrak=%s/Tevrak.TDB\r\n' "$folder")
[[ "$(cat "$folder/SFXTAL.INI")" == "$expected" ]] || fail "first SFXTAL.INI: $(cat -A "$folder/SFXTAL.INI")"
for file in sfxtal sfxtal-cli ヘルプ.html ヘルプ/main-window.png Tevrak.TDB sfxtal.tmp 実績.txt sfxtal.xlsx; do
  [[ -s "$folder/$file" ]] || fail "missing $file"
done

# The operator points the program elsewhere and moves the window; the next start keeps it.
printf '[SFXTAL]\r\nTevrak=/home/op/Tevrak.TDB\r\nForm1Top= 120\r\n' >"$folder/SFXTAL.INI"
cp "$folder/SFXTAL.INI" "$work/operator.ini"
cp "$folder/Tevrak.TDB" "$work/log.tdb"
env -u DISPLAY -u WAYLAND_DISPLAY "$source_dir/tools/run-sample.sh" "$build" "$folder" >/dev/null 2>&1
cmp -s "$folder/SFXTAL.INI" "$work/operator.ini" || fail "second start changed SFXTAL.INI"
cmp -s "$folder/Tevrak.TDB" "$work/log.tdb" || fail "second start changed the sample log"
echo "1 passed, 0 failed"
