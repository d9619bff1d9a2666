#pragma once

// The line format of the two settings files: byte text in code page 932, each line ended by
// carriage return and line feed; a bare line feed is read as well.

#include "settings/SettingsSchema.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct SettingsLine {
    std::string value;  // the line without its line end, byte for byte
    bool ended = true;  // false for a last line that has no line end
};

// Splits a file's content into its lines. A carriage return just before the line feed belongs to
// the line end; a last line without a line end keeps every character.
std::vector<SettingsLine> SplitSettingsLines(std::string_view content);

// Reads the lines one after the other; past the end it has nothing more to give.
class SettingsReader {
public:
    explicit SettingsReader(std::string_view content) : m_lines(SplitSettingsLines(content)) {}
    bool AtEnd() const { return m_next >= m_lines.size(); }
    // The next line, or none at the end of the file.
    const SettingsLine* Next() { return AtEnd() ? nullptr : &m_lines[m_next++]; }

private:
    std::vector<SettingsLine> m_lines;
    size_t m_next = 0;
};

// The lines that end the capture list and the text list in TavoCust.cnf.
constexpr std::string_view CaptureListMarker = "@CAP";
constexpr std::string_view TextListMarker = "@TXT";

// Whether a list entry would read back as the end of a list: such an entry cannot be stored.
bool IsListMarker(std::string_view entry);

// What TavoCust.cnf holds, in its order: the setting lines before the lists (twelve), the user's
// capture extensions up to the "@CAP" line, the text extensions up to "@TXT", then the lines after
// the lists (the cache folder and its size). A file that ends early holds what it has: the parts
// after its end are empty.
struct StoredSettingsLines {
    static constexpr size_t SettingCount = LineCount(TSettingLine::BeforeLists);
    static constexpr size_t CacheLineCount = LineCount(TSettingLine::AfterLists);
    std::vector<std::string> settings;   // at most SettingCount
    std::vector<std::string> capNames;   // every line before the marker, an empty one too
    std::vector<std::string> textNames;
    std::vector<std::string> cacheLines; // at most CacheLineCount
};
StoredSettingsLines ReadSettingsLines(std::string_view content);

// Joins values into a file's content, each followed by CR LF.
std::string JoinSettingsLines(const std::vector<std::string>& values);

// A value as a line of the file can hold it: its first line only.
std::string AsSettingsLine(std::string_view value);
// Whether a list entry is written: one that is empty, or that would read back as a list's end,
// is left out, as it could only shift the lines after it.
bool IsWrittenEntry(std::string_view entry);

// TavoCust.cnf's content for the values, in the order ReadSettingsLines reads them: the settings,
// the capture list and "@CAP", the text list and "@TXT", the cache folder and its size. Each value
// is written as AsSettingsLine gives it, and the lists' entries that IsWrittenEntry refuses are
// left out, so the file reads back as the values with those entries gone.
std::string WriteSettingsLines(const StoredSettingsLines& values);

}  // namespace orvane
