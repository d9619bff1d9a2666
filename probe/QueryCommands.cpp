// The queries: each prints its answer lines and changes nothing in the program.

#include "probe/Arguments.h"
#include "probe/Format.h"
#include "probe/Names.h"
#include "probe/Probe.h"
#include "probe/ProcessValues.h"
#include "platform/Host.h"
#include "platform/RegularFile.h"
#include "probe/Session.h"
#include "toolkit/Application.h"
#include "toolkit/Grids.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"
#include "toolkit/RichEdit.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>
#include <ostream>

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

// The component the words name, as the kind a query needs.
template <class T>
T& Named(Probe& probe, const Words& words, const char* kind)
{
    if (auto* component = dynamic_cast<T*>(FindNamed(probe.Running().Application(), words[1])))
        return *component;
    NotA(probe, words, kind);
}

// Reads "[N]" at `offset` of the text; advances past it.
bool ReadIndex(std::string_view text, size_t& offset, int& index)
{
    if (offset >= text.size() || text[offset] != '[')
        return false;
    size_t close = text.find(']', offset);
    if (close == std::string_view::npos || close == offset + 1 || close - offset > 10)
        return false;
    index = 0;
    for (size_t i = offset + 1; i < close; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        index = index * 10 + (text[i] - '0');
    }
    offset = close + 1;
    return true;
}

// Properties with an index, which no list of properties holds: Cells[C][R] of a grid, Lines[N] of
// a rich edit, Items[N].ImageIndex of a list view (a row's icon without its other columns, whose
// times may be the machine's own).
std::optional<tk::TPropertyValue> IndexedProperty(tk::TComponent* component, std::string_view property)
{
    constexpr std::string_view cells = "Cells";
    constexpr std::string_view lines = "Lines";
    constexpr std::string_view items = "Items";
    constexpr std::string_view imageIndex = ".ImageIndex";
    if (auto* list = dynamic_cast<tk::TListView*>(component); list && property.substr(0, items.size()) == items) {
        size_t offset = items.size();
        int row = 0;
        if (!ReadIndex(property, offset, row) || property.substr(offset) != imageIndex)
            return std::nullopt;
        if (row >= list->Items().Count())
            throw ProbeError("get: " + std::string(property) + " is beyond the last row (Items.Count=" +
                             std::to_string(list->Items().Count()) + ")");
        return tk::TPropertyValue::Integer(list->Items()[row].ImageIndex());
    }
    if (auto* edit = dynamic_cast<tk::TRichEdit*>(component); edit && property.substr(0, lines.size()) == lines) {
        size_t offset = lines.size();
        int line = 0;
        if (!ReadIndex(property, offset, line) || offset != property.size())
            return std::nullopt;
        if (line >= edit->Lines().Count())
            throw ProbeError("get: " + std::string(property) + " is beyond the last line (Lines.Count=" +
                             std::to_string(edit->Lines().Count()) + ")");
        return tk::TPropertyValue::Text(edit->Lines()[line]);
    }
    auto* grid = dynamic_cast<tk::TStringGrid*>(component);
    if (!grid || property.substr(0, cells.size()) != cells)
        return std::nullopt;
    size_t offset = cells.size();
    int col = 0, row = 0;
    if (!ReadIndex(property, offset, col) || !ReadIndex(property, offset, row) || offset != property.size())
        return std::nullopt;
    return tk::TPropertyValue::Text(grid->Cell(col, row));
}

std::string Hex8Of(const std::vector<uint32_t>& pixels)
{
    std::vector<unsigned char> rgba;
    rgba.reserve(pixels.size() * 4);
    for (uint32_t pixel : pixels) {
        rgba.push_back(static_cast<unsigned char>(pixel >> 16));
        rgba.push_back(static_cast<unsigned char>(pixel >> 8));
        rgba.push_back(static_cast<unsigned char>(pixel));
        rgba.push_back(static_cast<unsigned char>(pixel >> 24));
    }
    unsigned long crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, rgba.data(), static_cast<uInt>(rgba.size()));
    return Hex8(crc);
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
    std::optional<tk::TPropertyValue> value;
    if (split.owner != ProcessName)
        value = IndexedProperty(FindNamed(probe.Running().Application(), split.owner), split.property);
    if (!value)
        value = PropertiesOf(probe, words, split.owner).Find(split.property);
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
    const auto& list = Named<tk::TListView>(probe, words, "a list view");
    const tk::TListItems& items = list.Items();
    for (int row = 0; row < items.Count(); ++row) {
        const tk::TListItem& item = items[row];
        probe.Out() << '#' << row << ' ' << ShowText(item.Caption());
        for (int sub = 0; sub < 4; ++sub)
            probe.Out() << '|' << ShowText(item.SubItem(sub));
        probe.Out() << '|' << item.ImageIndex() << '\n';
    }
    probe.Out() << "rows=" << items.Count() << '\n';
}

// The grid's rows, and after them any row beyond its size that holds text.
void Grid(Probe& probe, const Words& words)
{
    const auto& grid = Named<tk::TStringGrid>(probe, words, "a string grid");
    int lastRow = std::max(grid.RowCount(), grid.StoredRowCount()) - 1;
    for (int row = 0; row <= lastRow; ++row) {
        probe.Out() << '#' << row << ' ';
        for (int col = 0; col < grid.ColCount(); ++col)
            probe.Out() << (col ? "|" : "") << ShowText(grid.Cell(col, row));
        probe.Out() << '\n';
    }
}

void Images(Probe& probe, const Words& words)
{
    const auto& images = Named<tk::TImageList>(probe, words, "an image list");
    probe.Out() << images.Count() << '\n';
    for (int index = 0; index < images.Count(); ++index) {
        const tk::TIcon& image = images.Image(index);
        probe.Out() << '#' << index << ' ' << image.Width() << 'x' << image.Height() << ' ' << Hex8Of(image.Pixels())
                    << '\n';
    }
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
    auto file = platform::RegularFile::Open(path);
    if (!file) {
        probe.Out() << "file " << path << " missing\n";
        return;
    }
    std::optional<std::string> content = file->ReadAll();
    if (!content)
        throw ProbeError("file: cannot read " + path);
    unsigned long crc = crc32(0L, Z_NULL, 0);
    for (size_t done = 0; done < content->size();) {
        uInt count = static_cast<uInt>(std::min<size_t>(content->size() - done, 1u << 20));
        crc = crc32(crc, reinterpret_cast<const Bytef*>(content->data() + done), count);
        done += count;
    }
    size_t size = content->size();
    probe.Out() << "file " << path << " size=" << size << " crc=" << Hex8(crc) << '\n';
}

void Spawned(Probe& probe, const Words&)
{
    if (!probe.Started())
        return;
    for (const platform::SpawnRecord& start : probe.Running().Host().Programs().TakeStarts())
        probe.Out() << "spawn cmdline=\"" << ShowText(start.commandLine) << "\" ok=" << (start.ok ? "true" : "false")
                    << '\n';
}

}  // namespace probe
