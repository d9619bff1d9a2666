#pragma once

// HKEY_CLASSES_ROOT, read-only: the file types of the desktop as keys and default values, in the
// shape the program reads them (extension keys, class keys, DefaultIcon, shell\open\command).

#include <optional>
#include <string>
#include <string_view>

namespace platform {

class IClassesRoot {
public:
    virtual ~IClassesRoot() = default;
    // Whether the key exists, as opening it for reading would tell. The path's parts are
    // separated by "\" and compared without regard to the case of ASCII letters; texts are code
    // page 932.
    virtual bool KeyExists(std::string_view path) const = 0;
    // The key's default value (the value with the empty name); none when the key or the value is
    // absent.
    virtual std::optional<std::string> DefaultValue(std::string_view path) const = 0;
};

}  // namespace platform
