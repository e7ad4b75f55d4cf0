#!/usr/bin/env bash
# make install: a program folder (the prefix's bin) with both programs, a desktop entry that
# validates and starts the program by its full path, the icon, and a reinstall that keeps the
# operator's files. cmake --install writes under the prefix (and DESTDIR) only, never into the
# user's home; make install's menu step then copies the entry and icon into the user's data folder.
set -euo pipefail
build=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# A home of its own, to see that installing leaves it alone.
export HOME="$work/home"
unset XDG_DATA_HOME
mkdir -p "$HOME/.local/share/applications"
home_before=$(cd "$HOME" && find . | sort)

check_entry() {
  local entry=$1 icon=$2
  desktop-file-validate "$entry" || fail "desktop entry does not validate"
  grep -qx 'Name=SfxTal' "$entry" || fail "no Name"
  grep -q '^Name\[ja\]=' "$entry" || fail "no Name[ja]"
  grep -q '^Categories=.*HamRadio;' "$entry" || fail "no HamRadio category"
  [[ -f "$icon" ]] || fail "no icon"
}

for prefix in "$work/SfxTal" "$work/無線 \$ \"op\"/SfxTal"; do
  cmake --install "$build" --prefix "$prefix" >/dev/null
  folder="$prefix/bin"
  [[ "$(cd "$folder" && LC_ALL=C ls)" == "$(printf 'sfxtal\nsfxtal-cli\nヘルプ\nヘルプ.html')" ]] ||
    fail "program folder: $(ls "$folder")"
  # Every picture the page shows is installed beside it.
  for picture in $(grep -o 'src="ヘルプ/[^"]*"' "$folder/ヘルプ.html" | cut -d'"' -f2); do
    [[ -s "$folder/$picture" ]] || fail "help page without $picture"
  done
  [[ -x "$folder/sfxtal" && -x "$folder/sfxtal-cli" ]] || fail "programs not executable"
  [[ -w "$folder" ]] || fail "program folder not writable"
  entry="$prefix/share/applications/sfxtal.desktop"
  check_entry "$entry" "$prefix/share/icons/hicolor/scalable/apps/sfxtal.svg"
done
# The Exec line of the odd folder: quoted, with the desktop's escapes for $ and ".
grep -qxF "Exec=\"$work/無線 \\\\\$ \\\\\"op\\\\\"/SfxTal/bin/sfxtal\"" "$entry" || fail "Exec: $(grep Exec "$entry")"
[[ "$(cd "$HOME" && find . | sort)" == "$home_before" ]] || fail "cmake --install wrote into HOME"

# The menu step lists the odd folder's program in the user's data folder.
XDG_DATA_HOME="$work/data" "$source_dir/tools/install-menu-entry.sh" "$prefix/share" >/dev/null
check_entry "$work/data/applications/sfxtal.desktop" "$work/data/icons/hicolor/scalable/apps/sfxtal.svg"
cmp -s "$entry" "$work/data/applications/sfxtal.desktop" || fail "menu entry differs from the prefix's"

# A packager's staged install: everything under DESTDIR, the entry naming the final path.
[[ -e /opt/sfxtal ]] && opt_there=yes || opt_there=no
DESTDIR="$work/stage" cmake --install "$build" --prefix /opt/sfxtal >/dev/null
for file in bin/sfxtal bin/sfxtal-cli share/applications/sfxtal.desktop \
  share/icons/hicolor/scalable/apps/sfxtal.svg; do
  [[ -f "$work/stage/opt/sfxtal/$file" ]] || fail "DESTDIR install has no $file"
done
grep -qx 'Exec=/opt/sfxtal/bin/sfxtal' "$work/stage/opt/sfxtal/share/applications/sfxtal.desktop" ||
  fail "DESTDIR Exec: $(grep Exec "$work/stage/opt/sfxtal/share/applications/sfxtal.desktop")"
[[ $opt_there == yes || ! -e /opt/sfxtal ]] || fail "DESTDIR install wrote into /opt/sfxtal"
[[ "$(cd "$HOME" && find . | sort)" == "$home_before" ]] || fail "DESTDIR install wrote into HOME"

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
