#!/bin/sh
# Makes the Japanese text samples again from japanese.utf8.txt with the C library's iconv:
# the same text in code page 932, EUC-JP, ISO-2022-JP (7-bit JIS) and, with its half-width
# katakana, ISO-2022-JP-3 (which writes them after ESC ( I), then cut and damaged copies.
set -e
cd "$(dirname "$0")"
iconv -f UTF-8 -t CP932 japanese.utf8.txt > japanese.sjis.txt
iconv -f UTF-8 -t EUC-JP japanese.utf8.txt > japanese.euc-jp.txt
# ISO-2022-JP has no half-width katakana: its copy leaves the last line out.
head -n -1 japanese.utf8.txt | iconv -f UTF-8 -t ISO-2022-JP > japanese.iso-2022-jp.txt
iconv -f UTF-8 -t ISO-2022-JP-3 japanese.utf8.txt > japanese.iso-2022-jp-3.txt
# Cut inside the last character: the EUC-JP text loses the line end and the second byte of the
# half-width "｡" (0x8E 0xA1) before it; the ISO-2022-JP text its line end, its return to ASCII
# (ESC ( B) and the second byte of the last "。".
size=$(wc -c < japanese.euc-jp.txt)
head -c $((size - 2)) japanese.euc-jp.txt > cut.euc-jp.txt
size=$(wc -c < japanese.iso-2022-jp.txt)
head -c $((size - 5)) japanese.iso-2022-jp.txt > cut.iso-2022-jp.txt
# One byte of the EUC-JP text overwritten with 0xFF, a byte EUC-JP never uses.
{ head -c 40 japanese.euc-jp.txt; printf '\377'; tail -c +42 japanese.euc-jp.txt; } > damaged.euc-jp.txt
