#!/usr/bin/env bash
# Remakes drawing.wmf and drawing.emf: LibreOffice Draw (libreoffice-draw-nogui) exports of a
# 4 by 3 inch drawing: a red rectangle outlined in black at the top left, a blue ellipse at the
# top right, a thick green zigzag below them, a Japanese text in IPAGothic at the bottom left
# and an 8 by 8 bitmap (yellow, its top left quarter blue) drawn 80 pixels wide at the bottom
# right. ImageMagick draws the bitmap.
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert -size 8x8 xc:yellow -fill blue -draw "rectangle 0,0 3,3" "PNG24:$work/dot.png"
cat >"$work/drawing.svg" <<SVG
<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="4in" height="3in" viewBox="0 0 400 300">
  <rect x="0" y="0" width="400" height="300" fill="white"/>
  <rect x="20" y="20" width="160" height="100" fill="#ff0000" stroke="#000000" stroke-width="2"/>
  <ellipse cx="290" cy="70" rx="80" ry="50" fill="#0000ff"/>
  <polyline points="20,160 100,220 180,160 260,220" fill="none" stroke="#00a000" stroke-width="6"/>
  <text x="20" y="280" font-family="IPAGothic" font-size="28" fill="#000000">表示テスト ABC</text>
  <image x="300" y="150" width="80" height="80" xlink:href="data:image/png;base64,$(base64 -w0 "$work/dot.png")"/>
</svg>
SVG
for format in wmf emf; do
    HOME="$work" soffice --headless --convert-to "$format" --outdir "$work" "$work/drawing.svg" >/dev/null
    cp "$work/drawing.$format" .
done
