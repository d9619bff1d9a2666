#pragma once

// HKEY_CLASSES_ROOT as a registry export file holds it.

#include "formats/RegFile.h"
#include "platform/Registry.h"

#include <memory>
#include <string>

namespace platform {

class RegistryFileClasses : public IClassesRoot {
public:
    explicit RegistryFileClasses(formats::RegFile file) : m_file(std::move(file)) {}

    // Reads a registry file (host path). None, with the reason in `error`, when the file cannot
    // be read or is no registry export.
    static std::unique_ptr<RegistryFileClasses> Load(const std::string& hostPath, std::string& error);

    bool KeyExists(std::string_view path) const override;
    // The default value when it is a text; an expandable text comes unexpanded.
    std::optional<std::string> DefaultValue(std::string_view path) const override;

    // For a file laid over other keys: whether the file has a section for the key, and whether
    // it deletes the key.
    bool Writes(std::string_view path) const;
    bool Deletes(std::string_view path) const { return m_file.Deletes(path); }
    const formats::RegFile& File() const { return m_file; }

private:
    formats::RegFile m_file;
};

}  // namespace platform
