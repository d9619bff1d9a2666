#include "platform/RegistryFileClasses.h"

#include "platform/CodePage.h"
#include "platform/HostFiles.h"

namespace platform {

std::unique_ptr<RegistryFileClasses> RegistryFileClasses::Load(const std::string& hostPath, std::string& error)
{
    std::optional<std::string> bytes = ReadHostFile(hostPath);
    if (!bytes) {
        error = hostPath + ": cannot be read";
        return nullptr;
    }
    formats::RegFile file = formats::RegFile::Parse(*bytes, Utf8ToCp932);
    if (!file.Ok()) {
        error = hostPath + ": " + file.Error();
        return nullptr;
    }
    return std::make_unique<RegistryFileClasses>(std::move(file));
}

bool RegistryFileClasses::KeyExists(std::string_view path) const
{
    return m_file.FindKey(path) != nullptr;
}

bool RegistryFileClasses::Writes(std::string_view path) const
{
    const formats::RegKey* key = m_file.FindKey(path);
    return key && key->written;
}

std::optional<std::string> RegistryFileClasses::DefaultValue(std::string_view path) const
{
    const formats::RegKey* key = m_file.FindKey(path);
    return key ? key->DefaultText() : std::nullopt;
}

}  // namespace platform
