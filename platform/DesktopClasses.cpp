#include "platform/DesktopClasses.h"

#include "formats/RegFile.h"
#include "dos/DosPath.h"
#include "platform/DesktopApplications.h"
#include "platform/IconTheme.h"
#include "platform/MimeDatabase.h"

namespace platform {

DesktopClasses::DesktopClasses(XdgDirs dirs, DriveMap drives) : m_dirs(std::move(dirs)), m_drives(std::move(drives)) {}

DesktopClasses::~DesktopClasses() = default;

bool DesktopClasses::HasMimeDatabase() const
{
    return Types().Found();
}

const MimeDatabase& DesktopClasses::Types() const
{
    if (!m_types)
        m_types = std::make_unique<MimeDatabase>(m_dirs.DataFolders("mime"));
    return *m_types;
}

DesktopClasses::Part DesktopClasses::Classify(std::string_view path, std::string& subject) const
{
    std::vector<std::string_view> names = formats::SplitRegistryPath(path);
    if (names.empty())
        return Part::None;
    if (names[0][0] == '.') {
        subject = names[0].substr(1);
        return names.size() == 1 && !subject.empty() ? Part::Extension : Part::None;
    }
    std::optional<std::string> type = Types().KnownType(names[0]);
    if (!type)
        return Part::None;
    subject = *type;
    std::string rest;
    for (size_t i = 1; i < names.size(); ++i)
        rest = dos::JoinPath(rest, formats::FoldRegistryName(names[i]));
    if (rest.empty())
        return Part::Type;
    if (rest == "defaulticon")
        return Part::DefaultIcon;
    if (rest == "shell")
        return Part::Shell;
    if (rest == "shell\\open")
        return Part::ShellOpen;
    if (rest == "shell\\open\\command")
        return Part::Command;
    return Part::None;
}

bool DesktopClasses::KeyExists(std::string_view path) const
{
    std::string subject;
    Part part = Classify(path, subject);
    switch (part) {
    case Part::Extension:
        return Types().TypeOfExtension(subject).has_value();
    case Part::Type:
        return true;
    case Part::DefaultIcon:
        return AnswersFor(subject).icon.has_value();
    case Part::Shell:
    case Part::ShellOpen:
    case Part::Command:
        return CommandFor(subject).has_value();
    case Part::None:
        break;
    }
    return false;
}

std::optional<std::string> DesktopClasses::DefaultValue(std::string_view path) const
{
    std::string subject;
    Part part = Classify(path, subject);
    return Value(part, subject);
}

std::optional<std::string> DesktopClasses::Value(Part part, const std::string& subject) const
{
    switch (part) {
    case Part::Extension:
        return Types().TypeOfExtension(subject);
    case Part::Type:
        // The type's name: the program never shows it, and the comments would mean reading the
        // database's XML.
        return subject;
    case Part::DefaultIcon:
        return AnswersFor(subject).icon;
    case Part::Command:
        return CommandFor(subject);
    case Part::Shell:
    case Part::ShellOpen:
    case Part::None:
        break;
    }
    return std::nullopt;
}

const DesktopClasses::TypeAnswers& DesktopClasses::AnswersFor(const std::string& type) const
{
    auto it = m_answers.find(type);
    if (it != m_answers.end())
        return it->second;
    TypeAnswers answers;
    answers.icon = IconOf(type);
    return m_answers.emplace(type, std::move(answers)).first->second;
}

const std::optional<std::string>& DesktopClasses::CommandFor(const std::string& type) const
{
    if (m_applications && m_applications->SourcesChanged()) {
        m_applications.reset();
        m_commands.clear();
    }
    auto it = m_commands.find(type);
    if (it != m_commands.end())
        return it->second;
    return m_commands.emplace(type, CommandOf(type)).first->second;
}

std::optional<std::string> DesktopClasses::IconOf(const std::string& type) const
{
    if (!m_icons)
        m_icons = std::make_unique<IconTheme>(IconTheme::BaseFolders(m_dirs), IconTheme::ThemeNames(m_dirs));
    std::optional<std::string> file = m_icons->Find(Types().IconNames(type), IconSize);
    std::optional<std::string> dos = file ? m_drives.ToDos(*file) : std::nullopt;
    return dos ? std::optional(*dos + ",0") : std::nullopt;
}

// The program keeps a command up to the first blank after its last "."; the blank after the
// quoted ".desktop" path is that one, so the path arrives whole and quoted, and the file's path
// follows it.
std::optional<std::string> DesktopClasses::CommandOf(const std::string& type) const
{
    if (!m_applications)
        m_applications = std::make_unique<DesktopApplications>(m_dirs, Types());
    std::optional<std::string> entry = m_applications->DefaultApplication(type);
    std::optional<std::string> dos = entry ? m_drives.ToDos(*entry) : std::nullopt;
    return dos ? std::optional("\"" + *dos + "\" %1") : std::nullopt;
}

}  // namespace platform
