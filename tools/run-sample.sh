#!/usr/bin/env bash
# make run: lays out a ready program folder (the built programs, the help page with its pictures,
# a generated sample log and, on the first start only, an SFXTAL.INI naming that log) and starts
# SfxTal there. Without a display it says so and runs the same job headless through sfxtal-cli:
# the import, the tally and the results caption.
set -euo pipefail
build=${1:-build}
folder=${2:-run}

mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
cp -f "$build/bin/sfxtal" "$build/bin/sfxtal-cli" "$build/bin/ヘルプ.html" "$folder/"
mkdir -p "$folder/ヘルプ"
cp -f "$build/bin/ヘルプ/"*.png "$folder/ヘルプ/"
log="$folder/Tevrak.TDB"
if [[ ! -f "$log" ]]; then
  "$folder/sfxtal-cli" sample-log "$log" 20000 1
fi

# The settings are the operator's once written: a later start keeps whatever was changed there.
ini="$folder/SFXTAL.INI"
if [[ ! -e "$ini" ]]; then
  printf '[SFXTAL]\r\nTevrak=%s\r\n' "$log" | iconv -f UTF-8 -t CP932 >"$ini.new"
  mv "$ini.new" "$ini"
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run: no display (DISPLAY and WAYLAND_DISPLAY are unset), so the import runs headless in $folder"
  # Frequency-error questions are answered No, then No: keep going, stop reporting.
  printf 'n\nn\n' | "$folder/sfxtal-cli" import --folder "$folder" "$log"
  "$folder/sfxtal-cli" results --folder "$folder" | tail -n 1
  exit 0
fi
echo "run: SfxTal in $folder with the sample log $log"
exec "$folder/sfxtal"
