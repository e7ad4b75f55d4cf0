#!/usr/bin/env bash
# Lays out a program folder with the built program and a sample log, then runs the program's main
# job there: the import of the log, its tally, and the results it shows.
set -euo pipefail
build=${1:-build}
folder=${2:-run}

mkdir -p "$folder"
cp -f "$build/bin/sfxtal-cli" "$folder/"
cli="$folder/sfxtal-cli"
log="$folder/Tevrak.TDB"
if [[ ! -f "$log" ]]; then
  "$cli" sample-log "$log" 20000 1
fi
echo "sample log: $log ($(stat -c %s "$log") bytes)"

# Frequency-error questions are answered No, then No: keep going, stop reporting.
printf 'n\nn\n' | "$cli" import --folder "$folder" "$log"
"$cli" results --folder "$folder" | tail -n 1
echo "program folder: $folder (sfxtal.tmp, 実績.txt, sfxtal.xlsx)"
