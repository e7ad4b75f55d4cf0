#!/usr/bin/env bash
# process_comparison.sh [BUILD] - the import as an operator runs it, against its two yardsticks,
# on a 1,000,000-record sample log with the whole log in the period, page cache warm:
#   cat LOG > /dev/null                   reading the log's bytes
#   sfxtal-cli import --folder DIR LOG    the import, the tally into 実績.txt and sfxtal.xlsx
#   import_yardstick.py --folder DIR LOG  the same whole job in Python (python3-dbfread for the
#                                         log, python3-xlsxwriter for the workbook)
# Prints each one's median and the two ratios. RUNS and PYTHON_RUNS set the number of runs.
set -euo pipefail
build=${1:-build}
runs=${RUNS:-15}
python_runs=${PYTHON_RUNS:-3}
here=$(cd "$(dirname "$0")" && pwd)
cli=$(cd "$build/bin" && pwd)/sfxtal-cli
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/ours" "$dir/python"

log="$dir/Tevrak.TDB"
"$cli" sample-log "$log" 1000000 1
cat "$log" >/dev/null
echo "sample log: $(stat -c %s "$log") bytes; load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

# Frequency-error questions are answered No, then No (stdin is empty): keep going, stop reporting.
hyperfine --warmup 2 --runs "$runs" --export-json "$dir/fast.json" \
  -n cat "cat '$log' > /dev/null" \
  -n sfxtal-cli "'$cli' import --folder '$dir/ours' '$log' < /dev/null > /dev/null 2>&1"
hyperfine --warmup 1 --runs "$python_runs" --export-json "$dir/python.json" \
  -n python "/usr/bin/python3 '$here/import_yardstick.py' --folder '$dir/python' '$log' > /dev/null"
cmp "$dir/ours/sfxtal.tmp" "$dir/python/sfxtal.tmp"
cmp "$dir/ours/実績.txt" "$dir/python/実績.txt"

/usr/bin/python3 - "$dir/fast.json" "$dir/python.json" <<'PY'
import json, sys
medians = {}
for path in sys.argv[1:]:
    for result in json.load(open(path))["results"]:
        medians[result["command"]] = result["median"]
cat, ours, python = medians["cat"], medians["sfxtal-cli"], medians["python"]
print()
print("median of runs     cat %8.1f ms   sfxtal-cli import %8.1f ms   python %8.1f ms"
      % (cat * 1e3, ours * 1e3, python * 1e3))
print("sfxtal-cli import / cat    = %5.1fx" % (ours / cat))
print("python / sfxtal-cli import = %5.1fx   (target: at least 30x)" % (python / ours))
PY
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
