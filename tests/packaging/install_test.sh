#!/usr/bin/env bash
# make install: a program folder (the prefix's bin) with both programs, a desktop entry that
# validates and starts the program by its full path, the icon, and a reinstall that keeps the
# operator's files.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export XDG_DATA_HOME="$work/data"

for prefix in "$work/SfxTal" "$work/無線 \$ \"op\"/SfxTal"; do
  cmake --install "$build" --prefix "$prefix" >/dev/null
  folder="$prefix/bin"
  [[ "$(cd "$folder" && ls)" == "$(printf 'sfxtal\nsfxtal-cli')" ]] || fail "program folder: $(ls "$folder")"
  [[ -x "$folder/sfxtal" && -x "$folder/sfxtal-cli" ]] || fail "programs not executable"
  [[ -w "$folder" ]] || fail "program folder not writable"
  entry="$XDG_DATA_HOME/applications/sfxtal.desktop"
  desktop-file-validate "$entry" || fail "desktop entry does not validate"
  grep -qx 'Name=SfxTal' "$entry" || fail "no Name"
  grep -q '^Name\[ja\]=' "$entry" || fail "no Name[ja]"
  grep -q '^Categories=.*HamRadio;' "$entry" || fail "no HamRadio category"
  [[ -f "$XDG_DATA_HOME/icons/hicolor/scalable/apps/sfxtal.svg" ]] || fail "no icon"
done
# The Exec line of the odd folder: quoted, with the desktop's escapes for $ and ".
grep -qxF "Exec=\"$work/無線 \\\\\$ \\\\\"op\\\\\"/SfxTal/bin/sfxtal\"" "$entry" || fail "Exec: $(grep Exec "$entry")"

# The operator's files survive a second install over the first.
prefix="$work/SfxTal"
folder="$prefix/bin"
printf '[SFXTAL]\r\nTevrak=/home/op/Tevrak.TDB\r\n' >"$folder/SFXTAL.INI"
printf 'QQ1/QQ2XYZ,XYZ\r\n' >"$folder/履歴.txt"
printf '"A","QQ1A","1998/03/21","J"\r\n' >"$folder/実績.txt"
mkdir "$work/before" && cp "$folder/SFXTAL.INI" "$folder/履歴.txt" "$folder/実績.txt" "$work/before/"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in SFXTAL.INI 履歴.txt 実績.txt; do
  cmp -s "$folder/$file" "$work/before/$file" || fail "reinstall changed $file"
done
echo "1 passed, 0 failed"
