#!/bin/sh
# Takes out of your home folder what add-to-menu.sh put there: MAPWREN's menu
# entry, its icons and its list file type. The program's folder stays.
set -eu
data=${XDG_DATA_HOME:-$HOME/.local/share}

rm -f "$data/applications/mapwren.desktop" "$data/mime/packages/mapwren-list.xml" \
  "$data"/icons/hicolor/*/apps/mapwren.png "$data"/icons/hicolor/*/apps/mapwren.svg
if [ -d "$data/icons/hicolor" ]; then touch "$data/icons/hicolor"; fi
if [ -d "$data/mime" ] && command -v update-mime-database >/dev/null; then update-mime-database "$data/mime"; fi
if [ -d "$data/applications" ] && command -v update-desktop-database >/dev/null; then
  update-desktop-database "$data/applications"
fi
echo "MAPWREN is out of your menu."
