#include "settings/SettingsStore.h"

#include "common/Numbers.h"
#include "dos/DosText.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "settings/SettingsText.h"

#include <stdexcept>
#include <utility>

namespace orvane {

using namespace tk;

namespace {

template <class Component>
Component* FindNamed(const TComponent& form, const std::string& name)
{
    for (TComponent* component : form.Components())
        if (component->Name() == name)
            if (auto* found = dynamic_cast<Component*>(component))
                return found;
    // The store cannot work without every one of its parts: a form that lacks one is built wrong.
    throw std::logic_error("the settings store has no component " + name);
}

void PrepareListGrid(TStringGrid& grid, const char* preset)
{
    grid.SetCell(0, 0, ListStateHeader);
    grid.SetCell(1, 0, ListExtensionHeader);
    grid.SetCell(0, 1, PresetEntryState);
    grid.SetCell(1, 1, preset);
}

// Writes the stored extensions into the grid's rows from row 2 on.
void ReadList(const std::vector<std::string>& extensions, TStringGrid& grid)
{
    for (size_t i = 0; i < extensions.size(); ++i) {
        grid.SetCell(1, static_cast<int>(i) + 2, extensions[i]);
        grid.SetCell(0, static_cast<int>(i) + 2, UserEntryState);
    }
}

// The extensions of the dialog's user rows (row 2 on); the writer leaves the empty ones out.
std::vector<std::string> UserExtensions(const std::vector<TListEntry>& rows)
{
    std::vector<std::string> extensions;
    for (size_t row = 2; row < rows.size(); ++row)
        extensions.push_back(rows[row].extension);
    return extensions;
}

// Copies the dialog's user rows into the store's grid; rows of the store beyond them stay.
void StoreList(const std::vector<TListEntry>& rows, TStringGrid& grid)
{
    for (size_t row = 2; row < rows.size(); ++row) {
        grid.SetCell(0, static_cast<int>(row), rows[row].state);
        grid.SetCell(1, static_cast<int>(row), rows[row].extension);
    }
}

// The dialog's values as the file can hold them, so that what is stored now and what is read back
// at the next start are the same: a value keeps its first line only, and a list entry the file
// would not hold back (one equal to a list's end marker) is emptied like an empty one.
TSettingsValues AsFileCanHoldThem(TSettingsValues values)
{
    for (const TSettingField& field : SettingsSchema)
        if (field.text)
            values.*field.text = AsSettingsLine(values.*field.text);
    for (auto* list : {&values.capNames, &values.textNames})
        for (TListEntry& entry : *list) {
            entry.state = AsSettingsLine(entry.state);
            entry.extension = AsSettingsLine(entry.extension);
            if (!entry.extension.empty() && !IsWrittenEntry(entry.extension))
                entry = TListEntry();
        }
    return values;
}

// The smallest outer size a user can drag a window with a title bar to.
constexpr int MinimumWindowWidth = 112;
constexpr int MinimumWindowHeight = 27;

int ClampSize(const std::string& text, int upperBound)
{
    int value = StrToNumber(text);
    if (value < MinimumCaptureSize)
        value = MinimumCaptureSize;
    if (value > upperBound)
        value = upperBound;
    return value;
}

}  // namespace

TSettingsStore::Parts TSettingsStore::PartsOf(const TComponent& form)
{
    Parts parts{{}, *FindNamed<TStringGrid>(form, "CapNames"), *FindNamed<TStringGrid>(form, "TextNames")};
    for (const TSettingField& field : SettingsSchema)
        parts.labels[static_cast<size_t>(field.setting)] = FindNamed<TLabel>(form, field.name);
    return parts;
}

TSettingsStore::TSettingsStore(Parts parts, platform::Host& host, std::function<void()> apply)
    : m_parts(std::move(parts)), m_host(host), m_apply(std::move(apply))
{
}

TLabel& TSettingsStore::Label(TSetting setting) const
{
    return *m_parts.labels[static_cast<size_t>(setting)];
}

const std::string& TSettingsStore::Text(TSetting setting) const
{
    return Label(setting).Caption();
}

int TSettingsStore::Number(TSetting setting) const
{
    return StrToNumber(Text(setting));
}

std::string TSettingsStore::FilePath(std::string_view fileName) const
{
    return SettingsFilePath(Text(TSetting::CPath), fileName);
}

void TSettingsStore::PrepareGrids()
{
    PrepareListGrid(m_parts.capNames, "XLS");
    PrepareListGrid(m_parts.textNames, "TXT");
}

void TSettingsStore::ReadSettings()
{
    auto content = platform::ReadWholeFile(m_host.Drives(), FilePath(SettingsFileName));
    if (!content)
        return;
    const StoredSettingsLines stored = ReadSettingsLines(*content);
    size_t before = 0, after = 0;
    for (const TSettingField& field : SettingsSchema) {
        const std::vector<std::string>& lines = field.line == TSettingLine::BeforeLists ? stored.settings : stored.cacheLines;
        size_t& next = field.line == TSettingLine::BeforeLists ? before : after;
        if (field.line == TSettingLine::NotStored || next >= lines.size())
            continue;
        const std::string& value = lines[next++];
        // A blank folder (only a hand-edited file holds one) is no folder: it would be taken for
        // the current drive's root. The start value stays.
        if (field.kind == TSettingKind::Folder && dos::IsBlank(value))
            continue;
        Label(field.setting).SetCaption(value);
    }
    ReadList(stored.capNames, m_parts.capNames);
    ReadList(stored.textNames, m_parts.textNames);
}

std::string TSettingsStore::StoredText(const TSettingField& field, const TSettingsValues& values) const
{
    switch (field.kind) {
    case TSettingKind::Number:
        return NumberToStr(StrToNumber(values.*field.text));
    case TSettingKind::Size:
        return NumberToStr(ClampSize(values.*field.text, values.*field.bound));
    case TSettingKind::Choice:
        return NumberToStr(values.choices[field.choice]);
    case TSettingKind::Flag:
        return values.*field.flag ? "1" : "0";
    case TSettingKind::Folder:
        // A blank folder is never taken: the folder stays the one in use.
        return dos::IsBlank(values.*field.text) ? Text(field.setting) : values.*field.text;
    case TSettingKind::Text:
        return values.*field.text;
    case TSettingKind::Machine:
        break;
    }
    return Text(field.setting);
}

bool TSettingsStore::StoreSettings(const TSettingsValues& dialogValues, std::string* reason)
{
    const TSettingsValues values = AsFileCanHoldThem(dialogValues);
    std::array<std::string, SettingCount> texts;
    StoredSettingsLines file;
    for (const TSettingField& field : SettingsSchema) {
        if (field.line == TSettingLine::NotStored)
            continue;
        texts[static_cast<size_t>(field.setting)] = StoredText(field, values);
        (field.line == TSettingLine::BeforeLists ? file.settings : file.cacheLines)
            .push_back(texts[static_cast<size_t>(field.setting)]);
    }
    file.capNames = UserExtensions(values.capNames);
    file.textNames = UserExtensions(values.textNames);

    // The file is written whole before anything is stored, so a file that cannot be written
    // leaves every setting as it was. It goes to the start folder the dialog was opened with.
    if (!platform::ReplaceFile(m_host.Drives(), SettingsFilePath(values.cPath, SettingsFileName),
                               WriteSettingsLines(file), reason))
        return false;

    for (const TSettingField& field : SettingsSchema)
        if (field.line != TSettingLine::NotStored)
            Label(field.setting).SetCaption(texts[static_cast<size_t>(field.setting)]);
    StoreList(values.capNames, m_parts.capNames);
    StoreList(values.textNames, m_parts.textNames);
    if (m_apply)
        m_apply();
    return true;
}

// Stored bounds that would leave a window smaller than the desktop lets a user drag one (its
// minimum tracking size) or wholly off the desktop are not applied: the window keeps its design
// bounds, so a damaged or hand-edited file cannot make the program unusable. Bounds that fit are
// applied as read, one property after the other, as they always were.
void TSettingsStore::ReadWindowPositions(TForm& main, TForm* view)
{
    auto content = platform::ReadWholeFile(m_host.Drives(), FilePath(WindowPositionsFileName));
    if (!content)
        return;
    SettingsReader reader(*content);
    const platform::ScreenRect desktop = m_host.Screen().DesktopRect();
    using Getter = int (TControl::*)() const;
    using Setter = void (TControl::*)(int);
    const Getter getters[] = {&TControl::Top, &TControl::Left, &TControl::Width, &TControl::Height};
    const Setter setters[] = {&TControl::SetTop, &TControl::SetLeft, &TControl::SetWidth, &TControl::SetHeight};
    for (TForm* form : {&main, view}) {
        // A file that ends early sets what it holds and leaves the rest as they are.
        int bounds[4];
        int count = 0;
        for (; count < 4; ++count) {
            const SettingsLine* line = reader.Next();
            if (!line)
                break;
            bounds[count] = StrToNumber(line->value);
        }
        if (!form)
            continue;
        for (int i = count; i < 4; ++i)
            bounds[i] = (form->*getters[i])();
        const long long top = bounds[0], left = bounds[1], width = bounds[2], height = bounds[3];
        const bool usable = width >= MinimumWindowWidth && height >= MinimumWindowHeight;
        const bool onDesktop = left < desktop.right && top < desktop.bottom && left + width > desktop.left
            && top + height > desktop.top;
        if (usable && onDesktop)
            for (int i = 0; i < count; ++i)
                (form->*setters[i])(bounds[i]);
        if (count < 4)
            return;
    }
}

void TSettingsStore::WriteWindowPositions(const TForm& main, const TForm* view)
{
    std::vector<std::string> lines;
    for (const TForm* form : {&main, view})
        if (form)
            for (int value : {form->Top(), form->Left(), form->Width(), form->Height()})
                lines.push_back(NumberToStr(value));
    platform::ReplaceFile(m_host.Drives(), FilePath(WindowPositionsFileName), JoinSettingsLines(lines));
}

}  // namespace orvane
