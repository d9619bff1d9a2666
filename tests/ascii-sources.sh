#!/usr/bin/env bash
# Sources compiled without the code page 932 conversion (the Qt back end, the render tool,
# benchmarks, fuzz targets) and the headers they include must hold no non-ASCII byte: a literal
# there would reach the program in UTF-8.
set -u
cd "$1"
bad=$(grep -lP '[^\x00-\x7F]' qt/*.h qt/*.cpp tools/*.cpp toolkit/*.h platform/*.h app/*.h formats/*.h graphics/*.h bench/*.cpp fuzz/*.cpp 2>/dev/null)
if [[ -n "$bad" ]]; then
    echo "Non-ASCII bytes in sources that must stay ASCII:"
    grep -nP '[^\x00-\x7F]' $bad | head -20
    exit 1
fi
echo "All back-end sources and shared headers are ASCII."
