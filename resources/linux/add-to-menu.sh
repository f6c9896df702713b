#!/bin/sh
# Adds MAPWREN to your own desktop menu: an entry that starts the mapwren
# beside this script, its icon, and the list file type (.mwl) it opens.
# Everything goes into your home folder; no root is needed.
# remove-from-menu.sh takes it out again.
set -eu
here=$(cd "$(dirname "$0")" && pwd -P)
data=${XDG_DATA_HOME:-$HOME/.local/share}

# GLib's launchers (GNOME's, Xfce's) start no program whose path holds a %,
# however it is escaped, and no entry holds a line break.
case $here in
  *%* | *'
'*) echo "add-to-menu.sh: a menu entry cannot start a program in a folder whose name holds a % or a line break:" >&2
      echo "  $here" >&2
      echo "Rename or move the folder, then run add-to-menu.sh again." >&2
      exit 1 ;;
esac

# The program's path as one argument of the entry's Exec line: in double
# quotes with \ " ` $ escaped, then each backslash doubled again as the
# entry's strings need.
exec_path=$(printf '%s\n' "$here/mapwren" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g')

mkdir -p "$data/applications" "$data/mime/packages"
while IFS= read -r line; do
  case $line in
    Exec=*) printf 'Exec="%s" %%f\n' "$exec_path" ;;
    *) printf '%s\n' "$line" ;;
  esac
done <"$here/mapwren.desktop" >"$data/applications/mapwren.desktop"

for icon in "$here"/icons/hicolor/*/apps/mapwren.*; do
  size=$(basename "$(dirname "$(dirname "$icon")")")
  mkdir -p "$data/icons/hicolor/$size/apps"
  cp "$icon" "$data/icons/hicolor/$size/apps/"
done
# Icon themes notice new icons by the theme folder's time.
touch "$data/icons/hicolor"

cp "$here/mapwren-list.xml" "$data/mime/packages/"
if command -v update-mime-database >/dev/null; then update-mime-database "$data/mime"; fi
if command -v update-desktop-database >/dev/null; then update-desktop-database "$data/applications"; fi
echo "MAPWREN is in your menu, started from $here."
