#include "dos/DosPath.h"

#include "dos/DosText.h"

namespace dos {

namespace {
// Whether the character at `offset` (a character start) is a separator.
bool IsSeparatorAt(std::string_view path, size_t offset)
{
    return path[offset] == PathSeparator && NextCharacter(path, offset) == offset + 1;
}
}  // namespace

bool HasDriveLetter(std::string_view path)
{
    return path.size() >= 2 && path[1] == ':' && AsciiUpper(path[0]) >= 'A' && AsciiUpper(path[0]) <= 'Z';
}

size_t LastSeparator(std::string_view path)
{
    size_t last = std::string_view::npos;
    for (size_t i = 0; i < path.size(); i = NextCharacter(path, i))
        if (IsSeparatorAt(path, i))
            last = i;
    return last;
}

bool EndsWithSeparator(std::string_view path)
{
    return !path.empty() && LastSeparator(path) == path.size() - 1;
}

std::string_view WithoutTrailingSeparator(std::string_view path)
{
    return EndsWithSeparator(path) ? path.substr(0, path.size() - 1) : path;
}

std::string JoinPath(std::string_view folder, std::string_view name)
{
    std::string path(folder);
    if (!path.empty() && !EndsWithSeparator(path))
        path += PathSeparator;
    path += name;
    return path;
}

std::string AppendToFolder(std::string_view folder, std::string_view name)
{
    std::string path(folder);
    path += PathSeparator;
    path += name;
    return path;
}

std::pair<std::string_view, std::string_view> SplitLast(std::string_view path)
{
    size_t last = LastSeparator(path);
    if (last == std::string_view::npos) {
        if (HasDriveLetter(path))
            return {path.substr(0, 2), path.substr(2)};
        return {std::string_view(), path};
    }
    return {path.substr(0, last + 1), path.substr(last + 1)};
}

std::vector<std::string> PathParts(std::string_view path)
{
    std::vector<std::string> parts;
    std::string current;
    for (size_t i = 0; i < path.size();) {
        size_t next = NextCharacter(path, i);
        if (IsSeparatorAt(path, i)) {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        } else {
            current.append(path.substr(i, next - i));
        }
        i = next;
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}

std::string FlattenPath(std::string_view path)
{
    std::string flat(path);
    for (size_t i = 0; i < flat.size(); i = NextCharacter(flat, i)) {
        if (NextCharacter(flat, i) != i + 1)
            continue;
        if (flat[i] == ':')
            flat[i] = '#';
        else if (flat[i] == PathSeparator)
            flat[i] = '!';
    }
    return flat;
}

size_t ExtensionDot(std::string_view name)
{
    size_t dot = name.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? std::string_view::npos : dot;
}

}  // namespace dos
