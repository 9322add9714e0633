#!/bin/bash
# Draws the three pictures of the handbook's first page (create, drag, pan) from the
# program's own picture of the dipole example, with a mouse pointer, a mouse whose pressed
# button is marked and a movement arrow drawn on by ImageMagick.
# Usage: scripts/handbook-pictures.sh [BUILD_DIR]   (kraftbild-render must be built)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=$root/app/handbook/bilder
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=offscreen

# A fixed step budget, so that the picture is the same on every machine.
"$build/tools/render/kraftbild-render" "$root/app/examples/dipol.kbf" --png "$work/dipol.png" \
  --step-budget 3000 --locale de_DE

# In the 792x535 picture the positive charge sits at (283, 266), the origin at (396, 266).
crop() { convert "$work/dipol.png" -crop "300x200+$1+$2" +repage "$work/$3.png"; }
crop 160 166 charge
crop 246 166 origin

# A pointer whose tip is at (x, y).
pointer() {
  echo "fill white stroke black stroke-width 1 translate $1,$2 \
polygon 0,0 0,17 4,13 7,20 10,19 7,12 12,12"
}
# A mouse in the lower right corner with the left or right button pressed.
mouse() {
  local button_x=$(($1 == 0 ? 274 : 285))
  echo "fill white stroke black stroke-width 1 roundrectangle 272,156 296,192 8,8 \
line 272,168 296,168 line 284,156 284,168 \
fill #3c78d8 stroke none rectangle $button_x,158 $((button_x + 9)),167"
}
# An arrow from (x1, y1) to (x2, y2), head at the end, drawn left to right or top down.
arrow() {
  echo "stroke #3c78d8 stroke-width 3 line $1,$2 $3,$4 \
fill #3c78d8 stroke none polygon $3,$(($4 - 7)) $(($3 + 10)),$4 $3,$(($4 + 7))"
}
ghost() {
  echo "fill none stroke #3c78d8 stroke-width 1 stroke-dasharray 3 3 circle $1,$2 $(($1 + 10)),$2"
}

# Create: a click on empty space puts a charge under the pointer.
convert "$work/charge.png" -draw "$(ghost 215 60)" \
  -draw "stroke #3c78d8 stroke-width 2 line 199,44 204,49 line 231,44 226,49 line 199,76 204,71" \
  -draw "$(pointer 215 60)" -draw "$(mouse 0)" -strip "$out/erstellen.png"
# Drag: the charge leaves its old place (dashed) with the left button held.
convert "$work/charge.png" -draw "$(ghost 60 100)" -draw "$(arrow 74 100 103 100)" \
  -draw "$(pointer 123 100)" -draw "$(mouse 0)" -strip "$out/ziehen.png"
# Pan: the right button held moves the whole view, axes included.
convert "$work/origin.png" -draw "$(arrow 60 40 230 40)" -draw "$(pointer 240 40)" \
  -draw "$(mouse 1)" -strip "$out/verschieben.png"
