// The queries: each prints its answer lines and changes nothing in the program.

#include "probe/Arguments.h"
#include "probe/Format.h"
#include "probe/Names.h"
#include "probe/Probe.h"
#include "probe/ProcessValues.h"
#include "toolkit/Application.h"

#include <zlib.h>

#include <cstdio>
#include <ostream>
#include <sys/stat.h>

namespace probe {

namespace {
tk::TPropertyList PropertiesOf(Probe& probe, const Words& words, std::string_view name)
{
    if (name == ProcessName)
        return DescribeProcess(probe.Running().Process());
    tk::TComponent* component = FindNamed(probe.Running().Application(), name);
    if (!component)
        throw ProbeError(words[0] + ": no component " + std::string(name));
    tk::TPropertyList list;
    component->DescribeProperties(list);
    return list;
}

const char* ButtonsName(unsigned flags)
{
    switch (flags & tk::mbButtonMask) {
    case 0: return "ok";
    case 1: return "okcancel";
    case 2: return "abortretryignore";
    case 3: return "yesnocancel";
    case 4: return "yesno";
    case 5: return "retrycancel";
    default: return "unknown";
    }
}

[[noreturn]] void NotA(Probe& probe, const Words& words, const char* kind)
{
    ComponentArgument(probe, words, 1);
    throw ProbeError(words[0] + ": " + words[1] + " is not " + kind);
}
}  // namespace

void Get(Probe& probe, const Words& words)
{
    const std::string& path = words[1];
    PropertyPath split = SplitPropertyPath(probe.Running().Application(), path);
    if (split.owner.empty()) {
        auto dot = path.rfind('.');
        if (dot == std::string::npos || dot == 0)
            throw ProbeError("usage: get NAME.PROP");
        throw ProbeError("get: no component " + path.substr(0, dot));
    }
    if (split.owner == ProcessName && IsPendingProcessValue(split.property))
        throw ProbeError("get: " + path + " is not available yet");
    auto value = PropertiesOf(probe, words, split.owner).Find(split.property);
    if (!value)
        throw ProbeError("get: " + split.owner + " has no property " + split.property);
    probe.Out() << path << '=' << FormatValue(*value) << '\n';
}

void Dump(Probe& probe, const Words& words)
{
    const std::string& name = words[1];
    tk::TPropertyList properties = PropertiesOf(probe, words, name);
    for (const tk::TProperty& property : properties.Items())
        probe.Out() << name << '.' << property.name << '=' << FormatValue(property.value) << '\n';
}

void Rows(Probe& probe, const Words& words)
{
    NotA(probe, words, "a list view");
}

void Grid(Probe& probe, const Words& words)
{
    NotA(probe, words, "a string grid");
}

void Images(Probe& probe, const Words& words)
{
    NotA(probe, words, "an image list");
}

void Messages(Probe& probe, const Words&)
{
    for (const tk::RecordedMessageBox& box : probe.Dialogs().TakeShown())
        probe.Out() << "msgbox title=\"" << ShowText(box.caption) << "\" text=\"" << ShowText(box.text)
                    << "\" buttons=" << ButtonsName(box.flags) << '\n';
}

void File(Probe& probe, const Words& words)
{
    const std::string& path = words[1];
    struct stat status {};
    std::FILE* file = nullptr;
    if (stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode))
        file = std::fopen(path.c_str(), "rb");
    if (!file) {
        probe.Out() << "file " << path << " missing\n";
        return;
    }
    unsigned long crc = crc32(0L, Z_NULL, 0);
    unsigned long long size = 0;
    unsigned char buffer[65536];
    while (size_t count = std::fread(buffer, 1, sizeof buffer, file)) {
        crc = crc32(crc, buffer, static_cast<uInt>(count));
        size += count;
    }
    bool failed = std::ferror(file);
    std::fclose(file);
    if (failed)
        throw ProbeError("file: cannot read " + path);
    probe.Out() << "file " << path << " size=" << size << " crc=" << Hex8(crc) << '\n';
}

// The program starts no other programs yet, so there is nothing to list.
void Spawned(Probe&, const Words&) {}

}  // namespace probe
