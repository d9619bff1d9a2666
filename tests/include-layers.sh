#!/usr/bin/env bash
# The layers of the program and what each may include (include-layers.sh SOURCE_ROOT). Each folder
# is a library; a layer may include its own folder and the layers below it, never one above, and
# only the system headers of its kind:
#
#   dos/        code page 932 text and DOS paths           the C++ library
#   formats/    the file format readers, over dos/          the C++ library, libpng, iconv
#   toolkit/    the component model, over formats/          the C++ library
#   platform/   the host's services, over formats/          the C and C++ libraries, POSIX, X11,
#                                                           GStreamer, GLib and GIO, cairo, librsvg,
#                                                           gdk-pixbuf
#   graphics/   the picture loader, over toolkit/ and platform/
#   host/       the program's services to the components (media, folders, text files), over
#               toolkit/ and platform/                      the C++ library
#   qt/         the Qt back end, over toolkit/ (the components and their peer interfaces), the
#               metafile records of formats/, the code page converter and the reader of the
#               host's files                                the C++ library, Qt and Poppler's Qt
#                                                           binding
#   common/     what the program's parts share: numbers as text, the form design helpers, the
#               window's measures, over toolkit/            the C++ library
#   browser/ viewers/ capture/ settings/
#               the program's subsystems, each an object that knows nothing of the main window,
#               over common/, graphics/, host/ and all below them
#                                                           the C++ library
#   app/        the program's windows, joining the subsystems
#                                                           the C++ library
#   probe/      the scripted program, over the program      the C and C++ libraries, zlib
#   main/ tools/  the programs that join the back end to the windows: anything
#
# Every source file of the program (any of .h .hh .hpp .c .cc .cpp .cxx, in any subfolder) belongs
# to a layer; an include never climbs with "..", and a file opens no namespace of a layer it may
# not include (a forward declaration is a dependency too). Exits with 1 and names every breach.
set -u
cd "$1"

failed=0
breach() {
    echo "$1"
    failed=1
}

# Each layer: its name; its folders; the quoted prefixes it may include (folders, or single
# files); its system headers (a pattern over the header's name); the namespaces of other layers it
# may open. A file belongs to the first layer whose folder holds it.
declare -A folders quoted system spaces
layers=""
layer() {
    layers+=" $1"
    folders[$1]=$2
    quoted[$1]=$3
    system[$1]=$4
    spaces[$1]=$5
}
cpp='[a-z_0-9]+'
posix="$cpp|[a-z_0-9/]+\.h|X11/.+|gst/.+|gio/.+|glib.*|cairo.*\.h|librsvg/.+|gdk-pixbuf/.+"
program_folders="app/ browser/ viewers/ capture/ settings/ common/"
below_program="host/ graphics/ toolkit/ platform/ formats/ dos/"
program_spaces="orvane tk platform graphics formats dos"

layer dos "dos/" "dos/" "$cpp" "dos"
layer formats "formats/" "formats/ dos/" "$cpp|png\.h|iconv\.h" "formats dos"
layer toolkit "toolkit/" "toolkit/ formats/ dos/" "$cpp" "tk formats dos"
layer platform "platform/" "platform/ formats/ dos/" "$posix" "platform formats dos"
layer graphics "graphics/" "graphics/ toolkit/ platform/ formats/ dos/" "$cpp" "graphics tk platform formats dos"
layer host "host/" "host/ toolkit/ platform/ formats/ dos/" "$cpp" "orvane tk platform formats dos"
layer qt "qt/" "qt/ toolkit/ formats/Metafile.h formats/Image.h platform/CodePage.h platform/HostFiles.h dos/" \
    "$cpp|Q[A-Za-z]*|Qt[A-Za-z]*/Q[A-Za-z]*|poppler-qt6\.h" "qtui tk"
# The program: what every part shares (common/), the subsystems over it, each an object of its
# own that knows nothing of the main window, and the main window (app/) that joins them. The
# viewers read the file list's row layout; the viewers and the capture read the settings' lists.
layer common "common/" "common/ toolkit/ dos/" "$cpp" "orvane tk dos"
layer browser "browser/" "browser/ common/ $below_program" "$cpp" "$program_spaces"
layer viewers "viewers/" "viewers/ common/ browser/FileRows.h settings/ExtensionLists.h $below_program" "$cpp" "$program_spaces"
layer capture "capture/" "capture/ common/ settings/ExtensionLists.h $below_program" "$cpp" "$program_spaces"
layer settings "settings/" "settings/ common/ $below_program" "$cpp" "$program_spaces"
layer app "app/" "$program_folders $below_program" "$cpp" "$program_spaces"
layer probe "probe/" "probe/ $program_folders $below_program" "$cpp|[a-z_0-9/]+\.h" "probe $program_spaces"
layer programs "main/ tools/" "main/ tools/ qt/ probe/ $program_folders $below_program" '.+' \
    "qtui probe $program_spaces"

all_spaces="dos formats tk platform graphics qtui orvane probe"

layer_of() {
    local file=$1 layer folder
    for layer in $layers; do
        for folder in ${folders[$layer]}; do
            [[ $file == "$folder"* ]] && { echo "$layer"; return; }
        done
    done
}

check_file() {
    local file=$1 layer=$2 line header prefix allowed name
    while IFS= read -r line; do
        if [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
            header=${BASH_REMATCH[1]}
            if [[ $header == *..* ]]; then
                breach "$file: an include may not climb out of its folder: $header"
                continue
            fi
            allowed=0
            for prefix in ${quoted[$layer]}; do
                [[ $header == "$prefix"* ]] && allowed=1
            done
            [[ $allowed == 1 ]] || breach "$file: the $layer layer may not include $header"
        elif [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
            header=${BASH_REMATCH[1]}
            if [[ $header == *..* ]]; then
                breach "$file: an include may not climb out of its folder: $header"
            elif ! [[ $header =~ ^(${system[$layer]})$ ]]; then
                breach "$file: the $layer layer may not include the system header $header"
            fi
        elif [[ $line =~ ^[[:space:]]*namespace[[:space:]]+([A-Za-z_][A-Za-z_0-9]*) ]]; then
            name=${BASH_REMATCH[1]}
            if [[ " $all_spaces " == *" $name "* && " ${spaces[$layer]} " != *" $name "* ]]; then
                breach "$file: the $layer layer may not open namespace $name"
            fi
        fi
    done < <(grep -E '^[[:space:]]*(#[[:space:]]*include|namespace[[:space:]])' "$file")
}

while IFS= read -r file; do
    file=${file#./}
    layer=$(layer_of "$file")
    if [[ -z $layer ]]; then
        breach "$file: belongs to no layer"
        continue
    fi
    check_file "$file" "$layer"
done < <(find . \( -path ./tests -o -path ./bench -o -path ./fuzz -o -path ./debian -o -path './build*' \
                   -o -path ./.git -o -path ./expected.txt \) -prune -o -type f \
              \( -name '*.h' -o -name '*.hh' -o -name '*.hpp' -o -name '*.c' -o -name '*.cc' -o -name '*.cpp' \
                 -o -name '*.cxx' \) -print | LC_ALL=C sort)

if [[ $failed != 0 ]]; then
    exit 1
fi
echo "Every layer includes only itself and the layers below it."
