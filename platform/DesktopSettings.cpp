#include "platform/DesktopSettings.h"

#include "platform/HostFiles.h"

#include <gio/gio.h>

#include <algorithm>

namespace platform {

namespace {

// A string key of a GSettings schema; none when the schema is not installed (asking GSettings for
// a schema it lacks would end the process).
std::optional<std::string> GSettingsString(const char* schemaId, const char* key)
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return std::nullopt;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, schemaId, TRUE);
    if (!schema)
        return std::nullopt;
    std::optional<std::string> value;
    if (g_settings_schema_has_key(schema, key)) {
        GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
        gchar* text = g_settings_get_string(settings, key);
        if (text && *text)
            value = text;
        g_free(text);
        g_object_unref(settings);
    }
    g_settings_schema_unref(schema);
    return value;
}

// Xfce's choice, from the xsettings channel that xfconf writes as XML:
//   <property name="IconThemeName" type="string" value="elementary-xfce"/>
std::optional<std::string> XfceIconTheme(const XdgDirs& dirs)
{
    std::vector<std::string> folders{dirs.configHome};
    folders.insert(folders.end(), dirs.configDirs.begin(), dirs.configDirs.end());
    for (const std::string& folder : folders) {
        auto text = ReadHostFile(folder + "/xfce4/xfconf/xfce-perchannel-xml/xsettings.xml", 1u << 20);
        if (!text)
            continue;
        size_t at = text->find("name=\"IconThemeName\"");
        if (at == std::string::npos)
            continue;
        size_t end = text->find('>', at);
        size_t value = text->find("value=\"", at);
        if (value == std::string::npos || value > end)
            continue;
        value += 7;
        size_t close = text->find('"', value);
        if (close != std::string::npos && close > value)
            return text->substr(value, close - value);
    }
    return std::nullopt;
}

bool Names(const XdgDirs& dirs, std::initializer_list<const char*> desktops)
{
    for (const char* desktop : desktops)
        if (std::find(dirs.desktops.begin(), dirs.desktops.end(), desktop) != dirs.desktops.end())
            return true;
    return false;
}

}  // namespace

std::optional<std::string> DesktopStoreIconTheme(const XdgDirs& dirs)
{
    // The more particular names first: Cinnamon and MATE sessions also name GNOME at times.
    if (Names(dirs, {"x-cinnamon", "cinnamon"}))
        return GSettingsString("org.cinnamon.desktop.interface", "icon-theme");
    if (Names(dirs, {"mate"}))
        return GSettingsString("org.mate.interface", "icon-theme");
    if (Names(dirs, {"xfce"}))
        return XfceIconTheme(dirs);
    if (Names(dirs, {"gnome", "unity", "budgie", "pantheon", "gnome-classic", "gnome-flashback"}))
        return GSettingsString("org.gnome.desktop.interface", "icon-theme");
    return std::nullopt;
}

}  // namespace platform
