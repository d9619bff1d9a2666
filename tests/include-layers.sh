#!/usr/bin/env bash
# The layers of the program and what each may include (include-layers.sh SOURCE_ROOT). Each folder
# is a library; a layer may include its own folder and the layers below it, never one above:
#
#   the text library  platform/DosText, platform/DosPath: code page 932 text and DOS paths
#   toolkit/          the component model                  over the text library
#   formats/          the file format readers              over the text library (and libpng, iconv)
#   platform/         the host's services                  over formats/ and the text library
#   graphics/         the picture loader                   over toolkit/, platform/, formats/
#   qt/               the Qt back end                      over toolkit/ (the components and their
#                                                          peer interfaces), the metafile records
#                                                          of formats/, the code page converter and
#                                                          the reader of the host's files
#   app/ browser/ viewers/ capture/ settings/
#                     the program's windows and handlers   over graphics/ and all below it
#   probe/            the scripted program                 over the program
#   qt/Main.cpp, tools/: the programs that join the back end to the windows.
#
# toolkit/, formats/ and the text library include no Qt and no system header but the C++
# library's; nothing below the program includes Qt. Exits with 1 and names every include that
# breaks a rule.
set -u
shopt -s nullglob
cd "$1"

text_library="platform/DosText.h platform/DosText.cpp platform/DosPath.h platform/DosPath.cpp"
failed=0

# rule LAYER "FILES" "QUOTED" SYSTEM: each `#include "X"` of the files must begin with one of the
# QUOTED prefixes (a folder "toolkit/" or a file "platform/DosText.h"); each `#include <X>` must be
# a header of the C++ library or one of the extra headers after "cpp:" (SYSTEM "cpp" or
# "cpp:png.h iconv.h"), anything but Qt ("noqt"), or anything ("any").
rule() {
    local layer=$1 files=$2 quoted=$3 system=$4
    local file line header prefix allowed
    for file in $files; do
        [[ -f $file ]] || continue
        while IFS= read -r line; do
            if [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
                header=${BASH_REMATCH[1]}
                allowed=0
                for prefix in $quoted; do
                    [[ $header == "$prefix"* ]] && allowed=1
                done
            elif [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
                header=${BASH_REMATCH[1]}
                case $system in
                any) allowed=1 ;;
                noqt) [[ $header =~ ^Q ]] && allowed=0 || allowed=1 ;;
                cpp*)
                    allowed=0
                    [[ $header =~ ^[a-z_0-9]+$ ]] && allowed=1
                    for prefix in ${system#cpp:}; do
                        [[ $header == "$prefix" ]] && allowed=1
                    done
                    ;;
                esac
            else
                continue
            fi
            if [[ $allowed == 0 ]]; then
                echo "$file: the $layer layer may not include $header"
                failed=1
            fi
        done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file")
    done
}

except() {
    local file kept=""
    for file in $1; do
        [[ " $2 " == *" $file "* ]] || kept+=" $file"
    done
    echo "$kept"
}

program="app/ browser/ viewers/ capture/ settings/"
below_program="graphics/ toolkit/ platform/ formats/"

rule "text library" "$text_library" "platform/DosText.h platform/DosPath.h" cpp
rule toolkit "$(echo toolkit/*.h toolkit/*.cpp)" "toolkit/ platform/DosText.h platform/DosPath.h" cpp
rule formats "$(echo formats/*.h formats/*.cpp)" "formats/ platform/DosText.h platform/DosPath.h" "cpp:png.h iconv.h"
rule platform "$(except "$(echo platform/*.h platform/*.cpp)" "$text_library")" "platform/ formats/" noqt
rule graphics "$(echo graphics/*.h graphics/*.cpp)" "graphics/ toolkit/ platform/ formats/" noqt
rule "Qt back end" "$(except "$(echo qt/*.h qt/*.cpp)" "qt/Main.cpp")" \
    "qt/ toolkit/ formats/Metafile.h formats/Image.h platform/CodePage.h platform/DosText.h platform/HostFiles.h" any
rule app "$(echo app/*.h app/*.cpp)" "$program $below_program" noqt
rule browser "$(echo browser/*.h browser/*.cpp)" "app/ browser/ $below_program" noqt
rule viewers "$(echo viewers/*.h viewers/*.cpp)" "app/ viewers/ browser/FileRows.h $below_program" noqt
rule capture "$(echo capture/*.h capture/*.cpp)" "app/ capture/ $below_program" noqt
rule settings "$(echo settings/*.h settings/*.cpp)" "app/ settings/ viewers/ $below_program" noqt
rule probe "$(echo probe/*.h probe/*.cpp)" "probe/ $program $below_program" noqt

if [[ $failed != 0 ]]; then
    exit 1
fi
echo "Every layer includes only itself and the layers below it."
