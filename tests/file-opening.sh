#!/usr/bin/env bash
# Every file the program reads is opened through platform/RegularFile, which never waits on a named
# pipe and reads no device (file-opening.sh SOURCE_ROOT). A plain open, a stream, a Qt file or image
# reader or a GStreamer address given a name elsewhere would wait on a pipe a user named like a
# document, so each such line in the program's sources must be one of those below, with its
# reason; the check names every other one.
set -u
cd "$1"

# FILE|LINE (trimmed) of the opens that cannot wait or read what they must not.
allowed=(
    # The reader itself: not blocking, then fstat, then only a regular file.
    'platform/RegularFile.cpp|int descriptor = open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);'
    # A new file made beside the one it replaces (O_EXCL: never an existing pipe).
    'platform/Files.cpp|int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);'
    'platform/Files.cpp|fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);'
    # Folders (O_DIRECTORY refuses anything else before opening it).
    'platform/Files.cpp|if (int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); folderFd >= 0) {'
    'platform/Files.cpp|int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);'
    'platform/Files.cpp|int folderFd = open(folder.c_str(), O_RDONLY | O_NONBLOCK | O_DIRECTORY | O_CLOEXEC);'
    'platform/Files.cpp|m_state->folderFd = open(host->c_str(), O_RDONLY | O_NONBLOCK | O_DIRECTORY | O_CLOEXEC);'
    'platform/Files.cpp|int fd = open(host->c_str(), O_RDONLY | O_NONBLOCK | O_DIRECTORY | O_CLOEXEC);'
    # The mapping of a file RegularFile opened.
    'platform/MappedFile.cpp|void* data = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file->Descriptor(), 0);'
    # GStreamer is given the opened file's own /proc entry, not the name.
    'platform/GstPipelines.cpp|gchar* uri = gst_filename_to_uri(SourcePath(*m_source, hostPath).c_str(), &failure);'
    'platform/GstMedia.cpp|gchar* uri = gst_filename_to_uri(SourcePath(*file, hostPath).c_str(), nullptr);'
    # The file source of a raw AVI's pipeline, whose location is that /proc entry too.
    'platform/GstRawAvi.cpp|GstElement* source = gst_element_factory_make("filesrc", nullptr);'
    # The kernel's own record of a started program.
    'platform/Processes.cpp|std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");'
    # Qt's sign for a missing picture, from Qt's resources.
    'qt/HtmlPage.cpp|QImage sign(QStringLiteral(":/qt-project.org/styles/commonstyle/images/file-16.png"));'
    # Qt's image plug-ins read the bytes the picture loader read, from a buffer.
    'qt/PictureDecoder.cpp|buffer.open(QIODevice::ReadOnly);'
    'qt/PictureDecoder.cpp|QImageReader reader(&buffer, PlugInFormat(format));'
    # The render tool's output, where the user asks it to write.
    'tools/Render.cpp|FILE* file = std::fopen(path.c_str(), "wb");'
    # The map of the controls, asked for by the desktop suite only: written to a new temporary
    # file that then replaces the name the suite gave, so nothing already there is opened.
    'qt/ControlMap.cpp|QSaveFile file(m_path);'
    'qt/ControlMap.cpp|if (!file.open(QIODevice::WriteOnly))'
)

# The ways to open a file by its name; a picture made from a name is a QImage, QPixmap or QIcon
# given a text as its first argument.
pattern='\bopen\(|\bopenat\(|fopen\(|freopen\(|\bcreat\(|ifstream|ofstream|\bfstream\b|mmap\('
pattern+='|QFile [A-Za-z_]+\(|QFile\(|QSaveFile|QImageReader|QMovie|QSvgRenderer|\.load\('
pattern+='|Q(Image|Pixmap|Icon)( [A-Za-z_]+)?\((QString|QStringLiteral|QLatin1String|[a-z]*([Pp]ath|[Nn]ame|[Ff]ile))\b'
pattern+='|gst_filename_to_uri|"filesrc"|g_file_get_contents|g_mapped_file_new|g_file_new_for_path'

failed=0
while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    number=${rest%%:*}
    line=${rest#*:}
    line=$(sed 's/^[[:space:]]*//; s/[[:space:]]*$//' <<<"$line")
    [[ $line == //* || $line == '#include'* ]] && continue
    # An atomic's load reads memory, not a file.
    [[ $line =~ \.load\(std::memory_order_[a-z]+\) ]] && [[ ! $line =~ \.load\([^s] ]] && continue
    known=0
    for entry in "${allowed[@]}"; do
        [[ "$file|$line" == "$entry" ]] && known=1
    done
    if [[ $known == 0 ]]; then
        echo "$file:$number opens a file by other means than platform/RegularFile: $line"
        failed=1
    fi
done < <(grep -nE "$pattern" platform/*.cpp platform/*.h graphics/*.cpp qt/*.cpp qt/*.h app/*.cpp browser/*.cpp \
    viewers/*.cpp capture/*.cpp settings/*.cpp toolkit/*.cpp probe/*.cpp tools/*.cpp 2>/dev/null)

if [[ $failed != 0 ]]; then
    exit 1
fi
echo "Every file the program reads is opened through platform/RegularFile."
