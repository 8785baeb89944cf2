#!/usr/bin/env bash
# Renders the program's icon drawing, resources/icon.svg, into resources/tessivo.ico with eight
# sizes from 16 to 128 pixels. The .ico is committed, so building never needs this script: run
# it after changing the drawing, look at the preview, and commit both files.
#
#   scripts/render-icon.sh [--preview FILE.png]
#
# --preview also writes a picture of every size at its natural size and the four small ones
# magnified, on a window-grey background, for checking the drawing by eye.
#
# Needs rsvg-convert (Debian package librsvg2-bin: Debian's ImageMagick has no SVG reader of its
# own) and ImageMagick's convert and identify (package imagemagick).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source_svg=$root/resources/icon.svg
output_ico=$root/resources/tessivo.ico
# 16 and 32 at 100%, 125%, 150% and 200% display scaling (16/20/24/32, 32/40/48/64), and 128
# for large icon views.
sizes=(16 20 24 32 40 48 64 128)

preview=
while (($#)); do
  case $1 in
    --preview) preview=${2:?render-icon: --preview needs a file name}; shift 2 ;;
    *) echo "render-icon: unknown argument '$1' (usage: $0 [--preview FILE.png])" >&2; exit 2 ;;
  esac
done

for tool in rsvg-convert:librsvg2-bin convert:imagemagick identify:imagemagick; do
  command -v "${tool%%:*}" >/dev/null ||
    { echo "render-icon: ${tool%%:*} is missing: apt-get install ${tool#*:}" >&2; exit 1; }
done
[[ -f $source_svg ]] || { echo "render-icon: $source_svg does not exist" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

pngs=()
for size in "${sizes[@]}"; do
  rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio \
    --output "$work/$size.png" "$source_svg"
  pngs+=("$work/$size.png")
done

# Each size becomes a 32-bit image with its alpha channel. -strip leaves out dates and names, so
# the same drawing always gives the same bytes.
convert "${pngs[@]}" -strip "$work/tessivo.ico"

# Check what was written before replacing the committed icon: the eight sizes, in order.
written=$(identify -format '%w ' "$work/tessivo.ico")
if [[ $written != "${sizes[*]} " ]]; then
  echo "render-icon: the icon holds sizes '$written', expected '${sizes[*]}'" >&2
  exit 1
fi
mv "$work/tessivo.ico" "$output_ico"
echo "render-icon: wrote $output_ico (${sizes[*]} px)"

if [[ -n $preview ]]; then
  magnified=()
  for size in 16 20 24 32; do
    convert "$work/$size.png" -background '#d4d0c8' -flatten -filter point -resize 800% +repage \
      "$work/big-$size.png"
    magnified+=("$work/big-$size.png")
  done
  convert "${pngs[@]}" -background '#d4d0c8' -gravity south +append +repage -flatten \
    "$work/natural.png"
  convert "${magnified[@]}" -background '#d4d0c8' -gravity south +append +repage -flatten \
    "$work/magnified.png"
  convert "$work/natural.png" "$work/magnified.png" -bordercolor '#d4d0c8' -border 4 \
    -background '#d4d0c8' -gravity west -append +repage -flatten "$preview"
  echo "render-icon: preview in $preview"
fi
