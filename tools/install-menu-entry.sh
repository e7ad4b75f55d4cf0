#!/usr/bin/env bash
# make install's last step: lists an installed SfxTal in the user's own menu. The desktop entry and
# the icon that `cmake --install` put into the prefix's data folder are copied into the user's XDG
# data folder (XDG_DATA_HOME, else ~/.local/share), where the desktop looks for them; the entry
# already starts the program by its full path in the prefix.
#   install-menu-entry.sh DATA_FOLDER   (the prefix's share folder)
set -euo pipefail
data="${1:?usage: install-menu-entry.sh DATA_FOLDER}"
data_home="${XDG_DATA_HOME:-$HOME/.local/share}"
entry="applications/sfxtal.desktop"
icon="icons/hicolor/scalable/apps/sfxtal.svg"
for file in "$entry" "$icon"; do
  mkdir -p "$(dirname "$data_home/$file")"
  cp -f "$data/$file" "$data_home/$file"
  echo "-- Installing: $data_home/$file"
done
