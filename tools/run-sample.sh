#!/usr/bin/env bash
# Lays out a program folder with the built program and a sample log, then starts it there.
set -euo pipefail
build=${1:-build}
folder=${2:-run}

mkdir -p "$folder"
cp -f "$build/bin/sfxtal-cli" "$folder/"
log="$folder/Tevrak.TDB"
if [[ ! -f "$log" ]]; then
  "$folder/sfxtal-cli" sample-log "$log" 20000 1
fi
echo "sample log: $log ($(stat -c %s "$log") bytes)"
