#pragma once

// Registry export files, as the registry editor writes them: "REGEDIT4" files in code page 932,
// and "Windows Registry Editor Version 5.00" files in UTF-16LE with a byte-order mark. Only the
// keys of HKEY_CLASSES_ROOT are kept (HKEY_LOCAL_MACHINE\SOFTWARE\Classes holds the same keys);
// every text comes out in code page 932.
//
// The reader never gives up on a file that starts like an export: a line it cannot read is left
// out and noted with its line number, the way the editor itself imports what it can.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace formats {

enum class RegFileFormat { Regedit4, Version5 };

// Value types, numbered as the registry numbers them.
enum RegValueType : uint32_t {
    RegNone = 0,
    RegString = 1,
    RegExpandString = 2,
    RegBinary = 3,
    RegDword = 4,
    RegMultiString = 7,
};

struct RegValue {
    std::string name;   // empty for the default value
    uint32_t type = RegString;
    // Code page 932 text without its terminating zero for RegString and RegExpandString (also when
    // written as hex); the number's four bytes, low byte first, for RegDword; the raw bytes else.
    std::string data;
};

struct RegKey {
    std::string path;   // below HKEY_CLASSES_ROOT, with the case it was first written in
    std::vector<RegValue> values;
    bool written = false;   // the file has a section for it (not only for keys below it)

    // The value of that name, compared without regard to the case of ASCII letters.
    const RegValue* FindValue(std::string_view name) const;
    // The default value's text when it is a string (plain or expandable); none otherwise.
    std::optional<std::string> DefaultText() const;
};

struct RegDiagnostic {
    int line = 0;   // 1-based line of the file where the faulty entry starts
    std::string message;
};

// A key name or path as keys are compared: ASCII letters folded to lower case, double-byte
// characters of code page 932 left whole (their second byte may look like a letter or "\").
std::string FoldRegistryName(std::string_view name);

// The names of a "\"-separated key path; doubled and trailing backslashes give no empty names.
std::vector<std::string_view> SplitRegistryPath(std::string_view path);

class RegFile {
public:
    // The conversion from UTF-8 into code page 932 used for the texts of Unicode files.
    using Utf8ToCodePage = std::string (*)(std::string_view utf8);

    // Reads a whole export file. A buffer that is no registry export gives a file whose Error()
    // says why; malformed lines only add diagnostics.
    static RegFile Parse(std::string_view bytes, Utf8ToCodePage toCodePage);

    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }
    RegFileFormat Format() const { return m_format; }
    const std::vector<RegDiagnostic>& Diagnostics() const { return m_diagnostics; }

    // The key at a path below HKEY_CLASSES_ROOT ("\"-separated, any case); the keys above a
    // written key exist too, as they do in the registry. None when the file has no such key.
    const RegKey* FindKey(std::string_view path) const;
    // True when a deletion in the file removes the key at this path (itself or a key above it)
    // and the file does not write that key again afterwards: in a file laid over other keys, the
    // key is then gone, or, when only a key below it is written again, stands without values.
    bool Deletes(std::string_view path) const;
    size_t KeyCount() const { return m_keys.size(); }

private:
    friend class RegFileReader;

    std::string m_error;
    RegFileFormat m_format = RegFileFormat::Regedit4;
    std::vector<RegDiagnostic> m_diagnostics;
    std::unordered_map<std::string, RegKey> m_keys;   // by folded path
    std::unordered_set<std::string> m_deleted;        // folded paths of deleted keys
};

}  // namespace formats
