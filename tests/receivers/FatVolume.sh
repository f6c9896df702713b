#!/bin/sh
# Runs the tests that need a real FAT32 volume on one made in a file and
# mounted without root through fusefat: FatVolume.sh TESTS_PROGRAM
set -eu
work=$(mktemp -d)
trap 'fusermount -u "$work/volume" 2>/dev/null || true; rm -rf "$work"' EXIT
truncate -s 40M "$work/volume.img"
mkfs.vfat -F 32 -n MEMCARD "$work/volume.img" >/dev/null
mkdir "$work/volume"
fusefat -o rw+ "$work/volume.img" "$work/volume"
MAPWREN_FAT_VOLUME="$work/volume" "$1" --gtest_filter='FatVolume.*'
