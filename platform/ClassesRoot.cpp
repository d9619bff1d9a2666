#include "platform/ClassesRoot.h"

#include "platform/DesktopClasses.h"
#include "platform/HostFiles.h"

#include <cstdio>

namespace platform {

ClassesRoot::ClassesRoot(std::unique_ptr<RegistryFileClasses> over, std::unique_ptr<IClassesRoot> under)
    : m_over(std::move(over)), m_under(std::move(under))
{
}

std::unique_ptr<IClassesRoot> ClassesRoot::FromRegistryFile(const std::string& hostPath, std::string& error)
{
    return RegistryFileClasses::Load(hostPath, error);
}

std::unique_ptr<IClassesRoot> ClassesRoot::FromDesktop(const XdgDirs& dirs, const DriveMap& drives)
{
    std::unique_ptr<RegistryFileClasses> user;
    std::string path = UserFilePath(dirs);
    if (IsHostFile(path)) {
        std::string error;
        user = RegistryFileClasses::Load(path, error);
        if (!user)
            std::fprintf(stderr, "orvane: file types left out: %s\n", error.c_str());
    }
    return std::make_unique<ClassesRoot>(std::move(user), std::make_unique<DesktopClasses>(dirs, drives));
}

std::string ClassesRoot::UserFilePath(const XdgDirs& dirs)
{
    return dirs.configHome + "/orvane/classes.reg";
}

bool ClassesRoot::KeyExists(std::string_view path) const
{
    if (m_over && m_over->KeyExists(path))
        return true;
    return !(m_over && m_over->Deletes(path)) && m_under->KeyExists(path);
}

std::optional<std::string> ClassesRoot::DefaultValue(std::string_view path) const
{
    if (m_over && m_over->Writes(path))
        return m_over->DefaultValue(path);
    if (m_over && m_over->Deletes(path))
        return std::nullopt;
    return m_under->DefaultValue(path);
}

}  // namespace platform
