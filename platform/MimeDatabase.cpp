#include "platform/MimeDatabase.h"

#include "formats/RegFile.h"
#include "platform/CodePage.h"
#include "platform/HostFiles.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int LinesPerFolder = 1 << 20;

// The lines of a text file that are neither blank nor comments.
std::vector<std::string_view> ContentLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// Splits "a<separator>b" in two at the first separator; none without one.
bool SplitPair(std::string_view line, char separator, std::string& first, std::string& second)
{
    size_t at = line.find(separator);
    if (at == std::string_view::npos || at == 0 || at + 1 == line.size())
        return false;
    first = line.substr(0, at);
    second = line.substr(at + 1);
    return true;
}

std::string Fold(std::string_view name)
{
    return formats::FoldRegistryName(name);
}

}  // namespace

MimeDatabase::MimeDatabase(const std::vector<std::string>& folders)
{
    // The least important folder first, so that the more important ones replace what it says.
    for (size_t i = folders.size(); i-- > 0;)
        ReadFolder(folders[i], int(folders.size() - i));
    for (auto& [extension, globs] : m_globs) {
        std::stable_sort(globs.begin(), globs.end(), [](const Glob& a, const Glob& b) {
            if (a.weight != b.weight)
                return a.weight > b.weight;
            if (a.caseSensitive != b.caseSensitive)
                return a.caseSensitive;
            return a.rank > b.rank;
        });
    }
}

void MimeDatabase::ReadFolder(const std::string& folder, int importance)
{
    if (auto globs2 = ReadHostFile(folder + "/globs2")) {
        ReadGlobs(*globs2, true, importance);
        m_found = true;
    } else if (auto globs = ReadHostFile(folder + "/globs")) {
        ReadGlobs(*globs, false, importance);
        m_found = true;
    }
    std::string first, second;
    if (auto types = ReadHostFile(folder + "/types"))
        for (std::string_view line : ContentLines(*types))
            AddType(std::string(line));
    if (auto aliases = ReadHostFile(folder + "/aliases"))
        for (std::string_view line : ContentLines(*aliases))
            if (SplitPair(line, ' ', first, second))
                m_aliases[Fold(first)] = second;
    if (auto subclasses = ReadHostFile(folder + "/subclasses")) {
        for (std::string_view line : ContentLines(*subclasses)) {
            if (!SplitPair(line, ' ', first, second))
                continue;
            auto& parents = m_parents[Fold(first)];
            if (std::find(parents.begin(), parents.end(), second) == parents.end())
                parents.push_back(second);
        }
    }
    if (auto icons = ReadHostFile(folder + "/icons"))
        for (std::string_view line : ContentLines(*icons))
            if (SplitPair(line, ':', first, second))
                m_icons[Fold(first)] = second;
    if (auto icons = ReadHostFile(folder + "/generic-icons"))
        for (std::string_view line : ContentLines(*icons))
            if (SplitPair(line, ':', first, second))
                m_genericIcons[Fold(first)] = second;
}

// "weight:type:glob[:flags]" lines of globs2, "type:glob" lines of the older globs file.
void MimeDatabase::ReadGlobs(const std::string& text, bool weighted, int importance)
{
    int line = 0;
    for (std::string_view entry : ContentLines(text)) {
        ++line;
        Glob glob;
        glob.rank = importance * LinesPerFolder - line;
        if (weighted) {
            size_t colon = entry.find(':');
            if (colon == std::string_view::npos)
                continue;
            std::string_view weight = entry.substr(0, colon);
            if (weight.empty() || weight.size() > 3 || !std::all_of(weight.begin(), weight.end(), [](char c) { return c >= '0' && c <= '9'; }))
                continue;
            glob.weight = std::stoi(std::string(weight));
            entry.remove_prefix(colon + 1);
        }
        size_t colon = entry.find(':');
        if (colon == std::string_view::npos || colon == 0)
            continue;
        glob.type = entry.substr(0, colon);
        std::string_view pattern = entry.substr(colon + 1);
        std::string_view flags;
        if (size_t more = pattern.find(':'); weighted && more != std::string_view::npos) {
            flags = pattern.substr(more + 1);
            pattern = pattern.substr(0, more);
        }
        if (pattern == "__NOGLOBS__") {
            // The type's globs of less important folders no longer count.
            for (auto& [extension, globs] : m_globs)
                std::erase_if(globs, [&](const Glob& known) { return known.type == glob.type; });
            continue;
        }
        AddType(glob.type);
        if (pattern.size() < 3 || pattern.substr(0, 2) != "*." || pattern.find_first_of("*?[", 2) != std::string_view::npos)
            continue;
        glob.caseSensitive = flags == "cs" || flags.starts_with("cs,") || flags.find(",cs") != std::string_view::npos;
        glob.extension = Utf8ToCp932(pattern.substr(2));
        m_globs[Fold(glob.extension)].push_back(std::move(glob));
    }
}

void MimeDatabase::AddType(const std::string& type)
{
    if (type.find('/') != std::string::npos)
        m_types.try_emplace(Fold(type), type);
}

std::optional<std::string> MimeDatabase::TypeOfExtension(std::string_view extension) const
{
    auto it = m_globs.find(Fold(extension));
    if (it == m_globs.end())
        return std::nullopt;
    for (const Glob& glob : it->second)
        if (!glob.caseSensitive || glob.extension == extension)
            return glob.type;
    return std::nullopt;
}

std::optional<std::string> MimeDatabase::KnownType(std::string_view type) const
{
    auto it = m_types.find(Fold(Canonical(type)));
    return it == m_types.end() ? std::nullopt : std::optional(it->second);
}

std::string MimeDatabase::Canonical(std::string_view type) const
{
    auto it = m_aliases.find(Fold(type));
    return it == m_aliases.end() ? std::string(type) : it->second;
}

std::vector<std::string> MimeDatabase::Ancestors(std::string_view type) const
{
    std::string self = Canonical(type);
    std::vector<std::string> ancestors;
    auto add = [&](const std::string& parent) {
        std::string canonical = Canonical(parent);
        if (Fold(canonical) != Fold(self) &&
            std::find(ancestors.begin(), ancestors.end(), canonical) == ancestors.end())
            ancestors.push_back(canonical);
    };
    auto direct = m_parents.find(Fold(self));
    if (direct != m_parents.end())
        for (const std::string& parent : direct->second)
            add(parent);
    for (size_t i = 0; i < ancestors.size(); ++i) {
        auto further = m_parents.find(Fold(ancestors[i]));
        if (further != m_parents.end())
            for (const std::string& parent : further->second)
                add(parent);
    }
    if (Fold(self).starts_with("text/"))
        add("text/plain");
    return ancestors;
}

std::vector<std::string> MimeDatabase::IconNames(std::string_view type) const
{
    std::string self = Canonical(type);
    std::string folded = Fold(self);
    std::vector<std::string> names;
    auto add = [&](std::string name) {
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    };
    if (auto it = m_icons.find(folded); it != m_icons.end())
        add(it->second);
    std::string made = self;
    std::replace(made.begin(), made.end(), '/', '-');
    add(made);
    if (auto it = m_genericIcons.find(folded); it != m_genericIcons.end())
        add(it->second);
    add(folded.substr(0, folded.find('/')) + "-x-generic");
    return names;
}

}  // namespace platform
