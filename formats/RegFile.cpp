#include "formats/RegFile.h"

#include "formats/Unicode.h"
#include "dos/DosPath.h"
#include "dos/DosText.h"

#include <algorithm>

namespace formats {

namespace {

constexpr std::string_view Regedit4Header = "REGEDIT4";
constexpr std::string_view Version5Header = "Windows Registry Editor Version 5.00";
constexpr size_t MaxDiagnostics = 1000;

using dos::NextCharacter;

// Whether the text's last character (not the second byte of a double-byte one) is `wanted`.
bool EndsWithCharacter(std::string_view text, char wanted)
{
    size_t last = std::string_view::npos;
    for (size_t i = 0; i < text.size(); i = dos::NextCharacter(text, i))
        last = i;
    return last != std::string_view::npos && last + 1 == text.size() && text[last] == wanted;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

bool StartsWithFolded(std::string_view text, std::string_view lowerPrefix)
{
    if (text.size() < lowerPrefix.size())
        return false;
    for (size_t i = 0; i < lowerPrefix.size(); ++i)
        if (dos::AsciiLower(text[i]) != lowerPrefix[i])
            return false;
    return true;
}

// The key path of the first `count` names.
std::string KeyPath(const std::vector<std::string_view>& parts, size_t count)
{
    std::string path;
    for (size_t i = 0; i < count; ++i)
        path = dos::JoinPath(path, parts[i]);
    return path;
}

}  // namespace

std::vector<std::string_view> SplitRegistryPath(std::string_view path)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= path.size();) {
        if (i == path.size() || path[i] == '\\') {
            if (i > start)
                parts.push_back(path.substr(start, i - start));
            start = ++i;
        } else {
            i = dos::NextCharacter(path, i);
        }
    }
    return parts;
}

std::string FoldRegistryName(std::string_view name)
{
    return dos::AsciiLower(name);
}

const RegValue* RegKey::FindValue(std::string_view name) const
{
    std::string folded = FoldRegistryName(name);
    for (const RegValue& value : values)
        if (FoldRegistryName(value.name) == folded)
            return &value;
    return nullptr;
}

std::optional<std::string> RegKey::DefaultText() const
{
    const RegValue* value = FindValue("");
    if (!value || (value->type != RegString && value->type != RegExpandString))
        return std::nullopt;
    return value->data;
}

// Reads the lines of one file into a RegFile.
class RegFileReader {
public:
    RegFileReader(RegFile& file, RegFile::Utf8ToCodePage toCodePage) : m_file(file), m_toCodePage(toCodePage) {}

    void Read(std::string_view bytes);

private:
    enum class Section { None, Key, Ignored };

    std::string DecodeText(std::string_view bytes);
    void ReadLines(std::string_view text);
    void ReadLine(std::string_view line);
    void ReadSection(std::string_view line);
    void ReadValue(std::string_view line);
    std::optional<std::string> ReadQuoted(std::string_view line, size_t& offset);
    std::optional<RegValue> ReadData(std::string_view data);
    std::optional<std::string> ReadHexBytes(std::string_view list);
    std::string HexText(const std::string& bytes);

    // The path below HKEY_CLASSES_ROOT of a key written with its hive; none for other hives.
    std::optional<std::string> ClassesPath(std::string_view fullPath);
    RegKey& MakeKey(std::string_view path);
    void DeleteKey(std::string_view path);
    void Diagnose(std::string message);

    RegFile& m_file;
    RegFile::Utf8ToCodePage m_toCodePage;
    int m_line = 0;        // the physical line last read
    int m_entryLine = 0;   // the line where the entry being read starts
    Section m_section = Section::None;
    RegKey* m_key = nullptr;
};

void RegFileReader::Read(std::string_view bytes)
{
    if (bytes.empty()) {
        m_file.m_error = "the file is empty";
        return;
    }
    std::string text = DecodeText(bytes);
    if (!m_file.m_error.empty())
        return;
    // The header is the first line that is not blank.
    size_t start = 0;
    std::string_view header;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        header = TrimBlanks(std::string_view(text).substr(start, end - start));
        start = end + 1;
        ++m_line;
        if (!header.empty())
            break;
    }
    if (header == Regedit4Header) {
        m_file.m_format = RegFileFormat::Regedit4;
    } else if (header == Version5Header) {
        m_file.m_format = RegFileFormat::Version5;
    } else {
        m_file.m_error = "not a registry export: the first line is neither \"REGEDIT4\" nor "
                         "\"Windows Registry Editor Version 5.00\"";
        return;
    }
    if (start < text.size())
        ReadLines(std::string_view(text).substr(start));
}

// The file as code page 932 text: Unicode files (UTF-16LE with or without their byte-order mark,
// UTF-8 with it) are converted, others are taken as code page 932 already.
std::string RegFileReader::DecodeText(std::string_view bytes)
{
    auto starts = [&](std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; };
    if (starts("\xFE\xFF")) {
        m_file.m_error = "not a registry export: UTF-16 big-endian text";
        return {};
    }
    bool utf16 = starts("\xFF\xFE") || (bytes.size() >= 2 && bytes[0] != 0 && bytes[1] == 0);
    if (utf16) {
        if (starts("\xFF\xFE"))
            bytes.remove_prefix(2);
        if (bytes.size() % 2 != 0)
            m_file.m_diagnostics.push_back({0, "the file ends in the middle of a UTF-16 character"});
        return m_toCodePage(Utf16ToUtf8(bytes, ByteOrder::LittleEndian));
    }
    if (starts("\xEF\xBB\xBF"))
        return m_toCodePage(bytes.substr(3));
    return std::string(bytes);
}

// Joins continued lines (a value written over several lines ends each but the last with "\") and
// reads each whole line.
void RegFileReader::ReadLines(std::string_view text)
{
    std::string joined;
    bool continued = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = TrimBlanks(text.substr(start, end - start));
        start = end + 1;
        ++m_line;
        if (!continued)
            m_entryLine = m_line;
        bool entry = continued || (!line.empty() && line[0] != ';' && line[0] != '[');
        if (entry && EndsWithCharacter(line, '\\')) {
            joined += line.substr(0, line.size() - 1);
            continued = true;
            continue;
        }
        if (continued) {
            joined += line;
            ReadLine(joined);
            joined.clear();
            continued = false;
        } else {
            ReadLine(line);
        }
    }
    if (continued)
        ReadLine(joined);
}

void RegFileReader::ReadLine(std::string_view line)
{
    if (line.empty() || line[0] == ';')
        return;
    if (line[0] == '[') {
        ReadSection(line);
        return;
    }
    if (line[0] != '@' && line[0] != '"') {
        Diagnose("not a key, a value or a comment");
        return;
    }
    if (m_section == Section::None)
        Diagnose("a value before the first key");
    else if (m_section == Section::Key)
        ReadValue(line);
}

void RegFileReader::ReadSection(std::string_view line)
{
    m_section = Section::Ignored;
    m_key = nullptr;
    if (!EndsWithCharacter(line, ']')) {
        Diagnose("a key without its closing \"]\"");
        return;
    }
    std::string_view inside = line.substr(1, line.size() - 2);
    bool deletion = !inside.empty() && inside[0] == '-';
    if (deletion)
        inside.remove_prefix(1);
    if (SplitRegistryPath(inside).empty()) {
        Diagnose("a key without a name");
        return;
    }
    std::optional<std::string> path = ClassesPath(TrimBlanks(inside));
    if (!path)
        return;
    if (deletion) {
        DeleteKey(*path);
        return;
    }
    m_key = &MakeKey(*path);
    m_key->written = true;
    m_section = Section::Key;
}

std::optional<std::string> RegFileReader::ClassesPath(std::string_view fullPath)
{
    std::vector<std::string_view> parts = SplitRegistryPath(fullPath);
    if (parts.empty())
        return std::nullopt;
    size_t rootParts = 0;
    std::string first = FoldRegistryName(parts[0]);
    if (first == "hkey_classes_root")
        rootParts = 1;
    else if (first == "hkey_local_machine" && parts.size() >= 3 && FoldRegistryName(parts[1]) == "software" &&
             FoldRegistryName(parts[2]) == "classes")
        rootParts = 3;
    else
        return std::nullopt;
    parts.erase(parts.begin(), parts.begin() + rootParts);
    return KeyPath(parts, parts.size());
}

RegKey& RegFileReader::MakeKey(std::string_view path)
{
    std::vector<std::string_view> parts = SplitRegistryPath(path);
    // The keys above a key exist as well; they keep the case they were first written in.
    RegKey* key = nullptr;
    for (size_t count = 0; count <= parts.size(); ++count) {
        std::string written = KeyPath(parts, count);
        auto [it, added] = m_file.m_keys.try_emplace(FoldRegistryName(written));
        if (added)
            it->second.path = written;
        key = &it->second;
    }
    return *key;
}

void RegFileReader::DeleteKey(std::string_view path)
{
    std::string folded = FoldRegistryName(path);
    if (folded.empty()) {
        Diagnose("HKEY_CLASSES_ROOT itself cannot be deleted");
        return;
    }
    std::string below = folded + '\\';
    std::erase_if(m_file.m_keys, [&](const auto& entry) {
        return entry.first == folded || entry.first.compare(0, below.size(), below) == 0;
    });
    m_file.m_deleted.insert(folded);
}

void RegFileReader::ReadValue(std::string_view line)
{
    size_t offset = 1;
    std::string name;
    if (line[0] == '"') {
        std::optional<std::string> quoted = ReadQuoted(line, offset);
        if (!quoted) {
            Diagnose("a value name without its closing quote");
            return;
        }
        name = std::move(*quoted);
    }
    std::string_view rest = TrimBlanks(line.substr(offset));
    if (rest.empty() || rest[0] != '=') {
        Diagnose("a value without \"=\"");
        return;
    }
    rest = TrimBlanks(rest.substr(1));
    std::string folded = FoldRegistryName(name);
    auto& values = m_key->values;
    auto existing = std::find_if(values.begin(), values.end(),
                                 [&](const RegValue& value) { return FoldRegistryName(value.name) == folded; });
    if (rest == "-") {
        if (existing != values.end())
            values.erase(existing);
        return;
    }
    std::optional<RegValue> value = ReadData(rest);
    if (!value)
        return;
    value->name = std::move(name);
    if (existing != values.end())
        *existing = std::move(*value);
    else
        values.push_back(std::move(*value));
}

// A quoted text starting at `offset` (just past its opening quote), with \" and \\ as escapes. A
// backslash before any other character stays as it is, as in a path written by hand.
std::optional<std::string> RegFileReader::ReadQuoted(std::string_view line, size_t& offset)
{
    std::string text;
    while (offset < line.size()) {
        size_t next = dos::NextCharacter(line, offset);
        char c = line[offset];
        if (next - offset == 2) {
            text += line.substr(offset, 2);
        } else if (c == '"') {
            offset = next;
            return text;
        } else if (c == '\\' && next < line.size() && (line[next] == '"' || line[next] == '\\')) {
            text += line[next];
            next += 1;
        } else {
            text += c;
        }
        offset = next;
    }
    return std::nullopt;
}

std::optional<RegValue> RegFileReader::ReadData(std::string_view data)
{
    RegValue value;
    if (data[0] == '"') {
        size_t offset = 1;
        std::optional<std::string> text = ReadQuoted(data, offset);
        if (!text) {
            Diagnose("a text value without its closing quote");
            return std::nullopt;
        }
        if (!TrimBlanks(data.substr(offset)).empty()) {
            Diagnose("more after the closing quote of a text value");
            return std::nullopt;
        }
        value.data = std::move(*text);
        return value;
    }
    if (StartsWithFolded(data, "dword:")) {
        std::string_view digits = data.substr(6);
        uint32_t number = 0;
        if (digits.empty() || digits.size() > 8 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return HexDigitValue(c) >= 0; })) {
            Diagnose("a dword value that is not 1 to 8 hexadecimal digits");
            return std::nullopt;
        }
        for (char c : digits)
            number = number << 4 | uint32_t(HexDigitValue(c));
        value.type = RegDword;
        for (int i = 0; i < 4; ++i)
            value.data += static_cast<char>((number >> (8 * i)) & 0xFF);
        return value;
    }
    if (!StartsWithFolded(data, "hex")) {
        Diagnose("a value of unknown form");
        return std::nullopt;
    }
    size_t colon = data.find(':');
    std::string_view kind = data.substr(3, colon == std::string_view::npos ? 0 : colon - 3);
    value.type = RegBinary;
    if (!kind.empty()) {
        bool typed = kind.size() >= 3 && kind.size() <= 10 && kind.front() == '(' && kind.back() == ')';
        std::string_view digits = typed ? kind.substr(1, kind.size() - 2) : std::string_view();
        if (!typed || !std::all_of(digits.begin(), digits.end(), [](char c) { return HexDigitValue(c) >= 0; })) {
            Diagnose("a hex value with a malformed type");
            return std::nullopt;
        }
        value.type = 0;
        for (char c : digits)
            value.type = value.type << 4 | uint32_t(HexDigitValue(c));
    }
    if (colon == std::string_view::npos) {
        Diagnose("a hex value without \":\"");
        return std::nullopt;
    }
    std::optional<std::string> bytes = ReadHexBytes(data.substr(colon + 1));
    if (!bytes)
        return std::nullopt;
    value.data = value.type == RegString || value.type == RegExpandString ? HexText(*bytes) : std::move(*bytes);
    return value;
}

// Comma-separated bytes of one or two hexadecimal digits; blanks around them and a comma at the
// end are allowed.
std::optional<std::string> RegFileReader::ReadHexBytes(std::string_view list)
{
    std::string bytes;
    size_t offset = 0;
    auto skipBlanks = [&] {
        while (offset < list.size() && IsBlank(list[offset]))
            ++offset;
    };
    while (true) {
        skipBlanks();
        if (offset == list.size())
            return bytes;
        size_t digits = 0;
        int byte = 0;
        while (offset < list.size() && HexDigitValue(list[offset]) >= 0 && digits < 3) {
            byte = byte << 4 | HexDigitValue(list[offset++]);
            ++digits;
        }
        if (digits == 0 || digits > 2 || (offset < list.size() && list[offset] != ',' && !IsBlank(list[offset]))) {
            Diagnose("a hex value with a byte that is not hexadecimal");
            return std::nullopt;
        }
        bytes += static_cast<char>(byte);
        skipBlanks();
        if (offset == list.size())
            return bytes;
        if (list[offset] != ',') {
            Diagnose("a hex value whose bytes are not separated by commas");
            return std::nullopt;
        }
        ++offset;
    }
}

// A string written as hex: UTF-16LE in Unicode exports, code page 932 in REGEDIT4 files, each up
// to its terminating zero.
std::string RegFileReader::HexText(const std::string& bytes)
{
    if (m_file.m_format == RegFileFormat::Version5)
        return m_toCodePage(Utf16ToUtf8(bytes, ByteOrder::LittleEndian, true));
    return bytes.substr(0, bytes.find('\0'));
}

void RegFileReader::Diagnose(std::string message)
{
    auto& diagnostics = m_file.m_diagnostics;
    if (diagnostics.size() < MaxDiagnostics)
        diagnostics.push_back({m_entryLine, std::move(message)});
    else if (diagnostics.size() == MaxDiagnostics)
        diagnostics.push_back({m_entryLine, "further faults left unreported"});
}

RegFile RegFile::Parse(std::string_view bytes, Utf8ToCodePage toCodePage)
{
    RegFile file;
    RegFileReader(file, toCodePage).Read(bytes);
    if (!file.Ok())
        file.m_keys.clear();
    return file;
}

const RegKey* RegFile::FindKey(std::string_view path) const
{
    std::vector<std::string_view> parts = SplitRegistryPath(path);
    auto it = m_keys.find(FoldRegistryName(KeyPath(parts, parts.size())));
    return it == m_keys.end() ? nullptr : &it->second;
}

bool RegFile::Deletes(std::string_view path) const
{
    const RegKey* key = FindKey(path);
    if (m_deleted.empty() || (key && key->written))
        return false;
    std::vector<std::string_view> parts = SplitRegistryPath(path);
    for (size_t count = 1; count <= parts.size(); ++count)
        if (m_deleted.count(FoldRegistryName(KeyPath(parts, count))))
            return true;
    return false;
}

}  // namespace formats
