#!/usr/bin/env bash
# Pictures of sfxtal.exe's windows for the README: the program under Wine on a virtual X screen
# (Xvfb), driven with xdotool through the results road and the import road, the screen taken with
# ImageMagick's import and cut to the window. Its own Wine prefix with the X driver, in
# BUILD/screenshots; the Japanese locale of BUILD/wine (tools/wine-run.sh makes it).
#   windows-screenshots.sh BUILD OUT_FOLDER
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "${1:?usage: windows-screenshots.sh BUILD OUT_FOLDER}")"
out="$(realpath -m "${2:?usage: windows-screenshots.sh BUILD OUT_FOLDER}")"
work="$build/screenshots"
folder="$work/SfxTal"
"$source_dir/tools/wine-run.sh" "$build/wine" cmd /c exit >/dev/null 2>&1 || true

export WINEPREFIX="$work/prefix" LOCPATH="$build/wine/locale" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=:77
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap '"$wineserver" -k 2>/dev/null || true; kill $xvfb' EXIT
sleep 1
mkdir -p "$work"
[[ -d "$WINEPREFIX" ]] || "$wine" wineboot -i >/dev/null 2>&1

rm -rf "$folder"
mkdir -p "$folder" "$out"
cp "$build/bin/sfxtal.exe" "$build/bin/sfxtal-cli.exe" "$folder/"
(cd "$folder" && "$wine" sfxtal-cli.exe sample-log Tevrak.TDB 400 7 >/dev/null 2>&1)
# A results file as the tally would leave it: every 9th suffix worked, every 4th of those not yet.
python3 - "$folder/実績.txt" <<'PY'
import itertools, string, sys
letters = string.ascii_uppercase
suffixes = [''.join(p) for n in (1, 2, 3) for p in itertools.product(letters, repeat=n)]
with open(sys.argv[1], 'w', encoding='cp932', newline='\r\n') as f:
    for i, s in enumerate(suffixes):
        worked = i % 9 == 0
        mark = '未' if i % 36 == 0 else 'J'
        f.write(f'"{s}","JA1{s}","2001/02/03","{mark}"\n' if worked else f'"{s}","","",""\n')
PY

# Waits for a window by its title, then shows it a moment to settle.
window() { xdotool search --sync --name "$1" | head -n 1; sleep 1.5; }
shot() {
  local id="$1" name="$2"
  eval "$(xdotool getwindowgeometry --shell "$id")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$name"
}
keys() { xdotool key --delay 60 "$@"; }

# The results road: the main window, its results button, a read, a lookup, the exit.
"$wine" "$folder/sfxtal.exe" &
program=$!
# The pointer off the windows, so that no tooltip covers them.
xdotool mousemove 0 0
main="$(window 'NEBU')"
xdotool windowfocus "$main"
shot "$main" windows-main-window.png
keys Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space
results="$(window '交信実績')"
xdotool windowfocus "$results"
keys Tab space
sleep 3
xdotool type --delay 80 kc
sleep 1
shot "$results" windows-results-window.png
keys Tab space
wait $program

# The import road, asking about undeterminable suffixes: the path, 個別設定, the import button.
"$wine" "$folder/sfxtal.exe" &
main="$(window 'NEBU')"
xdotool windowfocus "$main"
keys ctrl+a
xdotool type --delay 20 "Z:${folder//\//\\}\\Tevrak.TDB"
keys Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Down shift+Tab shift+Tab shift+Tab \
  shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
dialog="$(window 'サフィックスの設定')"
shot "$dialog" windows-suffix-dialog.png
"$wineserver" -k
