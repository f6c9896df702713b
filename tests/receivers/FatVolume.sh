#!/bin/sh
# Runs the tests that need a real FAT32 volume on one made in a file and
# mounted without root through fusefat, then reads the combined map file they
# installed there with libgarmin's check program when one is given:
#   FatVolume.sh TESTS_PROGRAM [CHECK_PROGRAM]
set -eu
work=$(mktemp -d)
trap 'fusermount -u "$work/volume" 2>/dev/null || true; rm -rf "$work"' EXIT
truncate -s 40M "$work/volume.img"
mkfs.vfat -F 32 -n MEMCARD "$work/volume.img" >/dev/null
mkdir "$work/volume"
fusefat -o rw+ "$work/volume.img" "$work/volume"
MAPWREN_FAT_VOLUME="$work/volume" "$1" --gtest_filter='FatVolume.*'
if [ -n "${2:-}" ] && [ -e "$work/volume/Garmin/checked.img" ]; then
  read_back=$("$2" "$work/volume/Garmin/checked.img")
  [ "$read_back" = "tiles 2 roads ROAD 10, ROAD 11" ] || { echo "libgarmin read: $read_back" >&2; exit 1; }
fi
