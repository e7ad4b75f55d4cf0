#!/usr/bin/env bash
# Runs a Windows program under Wine as a Japanese Windows runs it: ANSI code page 932, Japanese file
# names, no display needed (the null graphics driver). The Wine prefix and a privately generated
# ja_JP.UTF-8 locale live in WINE_DIR, made on first use; nothing outside it changes.
#   wine-run.sh WINE_DIR PROGRAM [ARGS...]   run a program (ctest's emulator)
#   wine-run.sh WINE_DIR --fresh             a new prefix, with its server kept running
#   wine-run.sh WINE_DIR --stop              ends the prefix's server
set -euo pipefail

dir="$(realpath -m "${1:?usage: wine-run.sh WINE_DIR PROGRAM [ARGS...]}")"
shift
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEPREFIX="$dir/prefix"
export LOCPATH="$dir/locale"
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# LANG gives the code page; Wine needs the real glibc locale to map non-ASCII file names at all.
locale_env=(LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8)

prepare() {
  mkdir -p "$dir"
  (
    flock 9
    if [[ ! -f "$dir/ready" ]]; then
      rm -rf "$WINEPREFIX" "$LOCPATH"
      mkdir -p "$LOCPATH"
      # localedef exits 1 for mere warnings about the locale's sources; the locale is made.
      localedef -i ja_JP -f UTF-8 "$LOCPATH/ja_JP.UTF-8" || [[ -f "$LOCPATH/ja_JP.UTF-8/LC_CTYPE" ]]
      env "${locale_env[@]}" "$wine" wineboot -i >/dev/null 2>&1
      env "${locale_env[@]}" "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
        >/dev/null 2>&1
      "$wineserver" -w
      touch "$dir/ready"
    fi
  ) 9>"$dir/lock"
}

case "${1:-}" in
  --fresh)
    "$wineserver" -k 2>/dev/null || true
    rm -f "$dir/ready"
    prepare
    # Kept running, so that each test program does not start a server of its own; and its
    # background services started now, so that they do not hold on to a test's output pipe.
    "$wineserver" -p
    env "${locale_env[@]}" "$wine" wineboot >/dev/null 2>&1
    ;;
  --stop)
    "$wineserver" -k 2>/dev/null || true
    ;;
  "")
    echo "usage: wine-run.sh WINE_DIR PROGRAM [ARGS...]" >&2
    exit 2
    ;;
  *)
    prepare
    exec env "${locale_env[@]}" "$wine" "$@"
    ;;
esac
