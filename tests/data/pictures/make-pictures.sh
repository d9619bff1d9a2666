#!/bin/sh
# Makes the picture samples of the picture loader's tests: one picture of 40 x 30 pixels in three
# bands, red, green and blue from the top down, written by ImageMagick as PNG, WebP (lossless),
# TIFF, TGA (plain and run-length encoded, without the footer of version 2) and XPM, and by hand
# as SVG (gzip for SVGZ); the PDF pages by make-pdf.py. Then the
# files a viewer must refuse without harm: each format cut short or not what its name says, and
# headers that claim a picture far too large to allocate. Run it in this folder; the files are kept
# in the repository.
set -eu
cd "$(dirname "$0")"

bands() { convert -size 40x10 xc:red -size 40x10 xc:lime -size 40x10 xc:blue -append "$@"; }
bands -strip bands.png
bands -define webp:lossless=true bands.webp
bands -compress lzw bands.tiff
# TGA rows go from the bottom up unless the header says otherwise; ImageMagick writes the rows in
# the order it holds them and only marks the header, so the bottom-up file is turned over first.
bands -flip bands.tga
bands -orient TopLeft -compress RLE bands-rle.tga
bands bands.xpm
cat >bands.svg <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="40" height="30" viewBox="0 0 40 30">
  <rect x="0" y="0" width="40" height="10" fill="#ff0000"/>
  <rect x="0" y="10" width="40" height="10" fill="#00ff00"/>
  <rect x="0" y="20" width="40" height="10" fill="#0000ff"/>
</svg>
SVG
gzip -9 -n -c bands.svg >bands.svgz
python3 make-pdf.py

# Cut short inside the pixels (PNG, WebP, TIFF) or the header (TGA), not XML at all (SVG), a text
# (XPM, PDF), a PDF cut before its cross-reference table.
head -c 60 bands.png >broken.png
head -c 40 bands.webp >broken.webp
head -c 16 bands.tiff >broken.tiff
head -c 10 bands.tga >broken.tga
printf 'this is no picture\n' >broken.xpm
printf '<svg width="40" height=' >broken.svg
printf 'this is no document\n' >broken.pdf
head -c 200 page.pdf >cut.pdf
# A TGA header of 65535 x 65535 pixels of 32 bits and no pixels; an SVG of 100000 x 100000 pixels.
printf '\000\000\002\000\000\000\000\000\000\000\000\000\377\377\377\377\040\010' >huge.tga
printf '<svg xmlns="http://www.w3.org/2000/svg" width="100000" height="100000"><rect width="10" height="10"/></svg>\n' >huge.svg
# A WebP header (lossless) of 16383 x 16383 pixels, the largest the format has, and no pixels.
printf 'RIFF\022\000\000\000WEBPVP8L\005\000\000\000\057\376\277\377\017\000' >huge.webp
# SVG sizes no picture can have: a width beyond any number and a negative height, and a view box
# without area.
printf '<svg xmlns="http://www.w3.org/2000/svg" width="1e400" height="-5"><rect width="10" height="10"/></svg>\n' >odd-size.svg
printf '<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 0 0"/>\n' >no-area.svg
