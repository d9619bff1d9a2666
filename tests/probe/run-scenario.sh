#!/bin/sh
# Runs one probe scenario: feeds NAME.probe to the probe and compares its standard output with
# NAME.expected and its exit status with the expected one. "@TMP@" in both files stands for a
# fresh temporary folder. Comment lines of the script prepare that folder (see README.md):
#   # mkdir: c/work               makes @TMP@/c/work
#   # write: c/work/NOTE.TXT text  writes "text" (the rest of the line, no line end) into the file
#   # line: c/work/A.cnf text      appends "text" and a CR LF line end to the file
#   # text: c/bin/tool.sh text     appends "text" and a line feed
#   # append: c/work/A.cnf text    appends "text" without a line end
#   # bytes: c/work/B.bin 00 ff    appends the bytes given in hexadecimal
#   # mtime: c/work/A.cnf 2001-02-03 04:05:06   sets the last write time (local time)
#   # size: c/work/B.bin 400000   makes the file that many bytes long (zeros)
#   # mode: c/bin/tool.sh 755      sets the file's permissions
#   # copy: c/work/tone.wav media/tone.wav   copies a sample file of tests/data
#   # picture: c/work/big.bmp 1000x800       a BMP picture of that size (a gradient, ImageMagick)
#   # fifo: c/work/fifo.txt        makes a named pipe (nothing ever writes to it)
#   # link: c/work/zero.txt /dev/zero   makes a symbolic link to the path given (as it is given)
#   # exit: 1                     the expected exit status (0 when not given)
set -u
probe=$1
script=$2
expected=$3

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

sed -n 's/^# mkdir: //p' "$script" | while IFS= read -r folder; do
    mkdir -p "$tmp/$folder"
done
data=$(cd "$(dirname "$0")/../data" && pwd)
sed -n 's/^# \(write\|line\|text\|append\|bytes\|mtime\|size\|mode\|copy\|picture\|fifo\|link\): /\1 /p' "$script" | while IFS= read -r line; do
    kind=${line%% *}
    line=${line#"$kind "}
    path=${line%% *}
    text=${line#"$path"}
    text=${text# }
    mkdir -p "$(dirname "$tmp/$path")"
    case $kind in
    write) printf '%s' "$text" >"$tmp/$path" ;;
    line) printf '%s\r\n' "$text" >>"$tmp/$path" ;;
    text) printf '%s\n' "$text" >>"$tmp/$path" ;;
    append) printf '%s' "$text" >>"$tmp/$path" ;;
    bytes) for byte in $text; do printf "\\$(printf '%03o' "0x$byte")"; done >>"$tmp/$path" ;;
    mtime) touch -m -d "$text" "$tmp/$path" ;;
    size) truncate -s "$text" "$tmp/$path" ;;
    mode) chmod "$text" "$tmp/$path" ;;
    copy) cp "$data/$text" "$tmp/$path" ;;
    picture) convert -size "$text" gradient:red-blue BMP3:"$tmp/$path" ;;
    fifo) mkfifo "$tmp/$path" ;;
    link) ln -s "$text" "$tmp/$path" ;;
    esac
done
want_status=$(sed -n 's/^# exit: //p' "$script" | tail -n 1)
want_status=${want_status:-0}

sed "s|@TMP@|$tmp|g" "$script" >"$tmp/script.probe"
sed "s|@TMP@|$tmp|g" "$expected" >"$tmp/expected.txt"

"$probe" <"$tmp/script.probe" >"$tmp/actual.txt"
status=$?

failed=0
if ! diff -u "$tmp/expected.txt" "$tmp/actual.txt"; then
    failed=1
fi
if [ "$status" -ne "$want_status" ]; then
    echo "exit status $status, expected $want_status"
    failed=1
fi
exit $failed
