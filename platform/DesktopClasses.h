#pragma once

// HKEY_CLASSES_ROOT made of the desktop's own associations (freedesktop shared MIME database,
// mimeapps.list, desktop entries, icon themes):
//   ".ext"                          exists when a glob "*.ext" names a type; default: the type
//   "text/plain"                    a type of the database; default: the type's name
//   "text/plain\DefaultIcon"        when a theme has an icon; default: its DOS path + ",0"
//   "text/plain\shell\open\command" when an application opens the type; default: the quoted DOS
//                                   path of its desktop entry + " %1"
// The command line thus names the desktop entry as its program, and the process service runs the
// entry's Exec line. The databases are read at the first question that needs them, and each
// type's icon is kept, so that a listing of many files costs a few map lookups per file. The
// commands are kept too, but only as long as the association lists and the desktop entries they
// came from are unchanged: the user who picks another default application, or installs one,
// gets it at the next start of a file without restarting the program.
// Not for use from several threads.

#include "platform/DriveMap.h"
#include "platform/Registry.h"
#include "platform/XdgDirs.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace platform {

class DesktopApplications;
class IconTheme;
class MimeDatabase;

class DesktopClasses : public IClassesRoot {
public:
    static constexpr int IconSize = 32;

    // `drives` turns the host paths of icons and desktop entries into DOS paths; a file on no
    // drive gives no value.
    DesktopClasses(XdgDirs dirs, DriveMap drives);
    ~DesktopClasses() override;

    bool KeyExists(std::string_view path) const override;
    std::optional<std::string> DefaultValue(std::string_view path) const override;

    // Whether the desktop has a MIME database at all.
    bool HasMimeDatabase() const;

private:
    struct TypeAnswers {
        std::optional<std::string> icon;      // the DefaultIcon value
    };
    enum class Part { Extension, Type, DefaultIcon, Shell, ShellOpen, Command, None };

    // What a key path names, and the extension or type in it.
    Part Classify(std::string_view path, std::string& subject) const;
    std::optional<std::string> Value(Part part, const std::string& subject) const;
    const MimeDatabase& Types() const;
    const TypeAnswers& AnswersFor(const std::string& type) const;
    std::optional<std::string> IconOf(const std::string& type) const;
    std::optional<std::string> CommandOf(const std::string& type) const;
    // The shell\open\command value, read again when its sources changed.
    const std::optional<std::string>& CommandFor(const std::string& type) const;

    XdgDirs m_dirs;
    DriveMap m_drives;
    mutable std::unique_ptr<MimeDatabase> m_types;
    mutable std::unique_ptr<DesktopApplications> m_applications;
    mutable std::unique_ptr<IconTheme> m_icons;
    mutable std::unordered_map<std::string, TypeAnswers> m_answers;   // by the type's own name
    mutable std::unordered_map<std::string, std::optional<std::string>> m_commands;   // the same
};

}  // namespace platform
