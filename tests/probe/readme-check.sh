#!/bin/sh
# Keeps README.md true to the runner (readme-check.sh PROBE FOLDER): it must name every command the
# probe runs, as `help` lists them, and every set-up directive run-scenario.sh reads. Names each
# one it misses.
set -u
probe=$1
folder=$2
readme=$folder/README.md
failed=0

for command in $(printf 'help\n' | "$probe" | cut -d ' ' -f 1 | sort -u); do
    if ! grep -q "\`$command[ \`]" "$readme"; then
        echo "README.md does not name the command $command"
        failed=1
    fi
done

directives="$(grep -o 's/^# [a-z]*: ' "$folder/run-scenario.sh" | sed 's|^s/^# ||; s|: $||')
$(sed -n 's/.*s\/^# \\(\([a-z\\|]*\)\\): .*/\1/p' "$folder/run-scenario.sh" | sed 's/\\|/ /g')"
[ -n "$directives" ] || { echo "no directives found in run-scenario.sh"; failed=1; }
for directive in $directives; do
    if ! grep -q "\`# $directive: " "$readme"; then
        echo "README.md does not name the directive # $directive:"
        failed=1
    fi
done
exit $failed
