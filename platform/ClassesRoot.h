#pragma once

// The HKEY_CLASSES_ROOT the program reads. Given a registry file, that file is the whole of it.
// Otherwise it is the desktop's own associations, with the user's file of file types
// ($XDG_CONFIG_HOME/orvane/classes.reg), when there is one, laid over them key by key: a key the
// user's file has a section for is answered by that file alone (its default value, or its lack
// of one), a key the user's file deletes is gone, and every other key is the desktop's.

#include "platform/DriveMap.h"
#include "platform/Registry.h"
#include "platform/RegistryFileClasses.h"
#include "platform/XdgDirs.h"

#include <memory>
#include <string>

namespace platform {

class ClassesRoot : public IClassesRoot {
public:
    // `over` may be null: then `under` answers alone.
    ClassesRoot(std::unique_ptr<RegistryFileClasses> over, std::unique_ptr<IClassesRoot> under);

    // A registry file (host path) as the whole of HKEY_CLASSES_ROOT; none, with the reason
    // (UTF-8) in `error`, when it cannot be read or is no registry export.
    static std::unique_ptr<IClassesRoot> FromRegistryFile(const std::string& hostPath, std::string& error);
    // The desktop's associations with the user's file over them. A user's file that cannot be
    // read is left out with one line on the standard error.
    static std::unique_ptr<IClassesRoot> FromDesktop(const XdgDirs& dirs, const DriveMap& drives);
    static std::string UserFilePath(const XdgDirs& dirs);

    bool KeyExists(std::string_view path) const override;
    std::optional<std::string> DefaultValue(std::string_view path) const override;

private:
    std::unique_ptr<RegistryFileClasses> m_over;
    std::unique_ptr<IClassesRoot> m_under;
};

}  // namespace platform
