#!/usr/bin/env bash
# Makes the menu icons of the Debian package from the program's own icon,
# src/ui/icons/velmora.png (64 × 64), at the hicolor theme's usual smaller
# sizes; the 64 × 64 one is installed as it is.
# Run it again after changing that icon and commit what it writes.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-packages.sh imagemagick

source=src/ui/icons/velmora.png
target=dist/linux/icons
mkdir -p "$target"
for size in 16 22 24 32 48; do
  # -strip drops the time stamps, so an unchanged icon gives unchanged files.
  convert "$source" -filter Lanczos -resize "${size}x${size}" -strip "PNG32:$target/velmora-$size.png"
done
