// libFuzzer target: the two settings files as the main window reads them. TavoCust2.cnf: lines of
// window bounds read as numbers. TavoCust.cnf: through ReadSettingsLines, the reader of its layout
// (twelve setting lines, the capture and text lists up to their "@CAP" and "@TXT" markers, then the
// cache folder and its size). What the file's writer makes of what was read must read back the
// same, less the entries the writer leaves out; lines joined again must split the same; and
// numbers must survive being written and read again.

#include "common/Numbers.h"
#include "settings/SettingsText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void CheckNumber(std::string_view text)
{
    int number = orvane::StrToNumber(text);
    if (orvane::StrToNumber(orvane::NumberToStr(number)) != number)
        std::abort();
    long long large = orvane::StrToLargeNumber(text);
    if (orvane::StrToLargeNumber(orvane::NumberToStr(large)) != large)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view content(reinterpret_cast<const char*>(data), size);

    // TavoCust2.cnf: the bounds of the two windows, four numbers each.
    orvane::SettingsReader positions(content);
    for (int i = 0; i < 8; ++i)
        if (const orvane::SettingsLine* line = positions.Next())
            CheckNumber(line->value);

    // TavoCust.cnf, through the reader the main window uses; written again in the file's order,
    // a file with all its setting lines reads back the same.
    const orvane::StoredSettingsLines stored = orvane::ReadSettingsLines(content);
    if (stored.settings.size() > orvane::StoredSettingsLines::SettingCount
        || stored.cacheLines.size() > orvane::StoredSettingsLines::CacheLineCount)
        std::abort();
    if (stored.settings.size() < orvane::StoredSettingsLines::SettingCount
        && !(stored.capNames.empty() && stored.textNames.empty() && stored.cacheLines.empty()))
        std::abort();
    for (const std::string& setting : stored.settings)
        CheckNumber(setting);
    if (stored.settings.size() == orvane::StoredSettingsLines::SettingCount) {
        // What the settings dialog would write of these values (the file's own writer) reads back
        // as the values with the entries it leaves out gone, and that again writes the same file.
        orvane::StoredSettingsLines expected = stored;
        for (auto* values : {&expected.settings, &expected.cacheLines})
            for (std::string& value : *values)
                value = orvane::AsSettingsLine(value);
        for (auto* list : {&expected.capNames, &expected.textNames}) {
            std::vector<std::string> kept;
            for (const std::string& entry : *list)
                if (orvane::IsWrittenEntry(orvane::AsSettingsLine(entry)))
                    kept.push_back(orvane::AsSettingsLine(entry));
            *list = kept;
        }
        const std::string written = orvane::WriteSettingsLines(stored);
        const orvane::StoredSettingsLines again = orvane::ReadSettingsLines(written);
        if (again.settings != expected.settings || again.capNames != expected.capNames
            || again.textNames != expected.textNames || again.cacheLines != expected.cacheLines)
            std::abort();
        if (orvane::WriteSettingsLines(again) != written)
            std::abort();
    }

    // The lines written again read back the same.
    std::vector<orvane::SettingsLine> lines = orvane::SplitSettingsLines(content);
    std::vector<std::string> values;
    for (const orvane::SettingsLine& line : lines) {
        if (line.value.find('\n') != std::string::npos)
            std::abort();
        values.push_back(line.value);
    }
    std::vector<orvane::SettingsLine> again = orvane::SplitSettingsLines(orvane::JoinSettingsLines(values));
    if (again.size() != values.size())
        std::abort();
    for (size_t i = 0; i < values.size(); ++i)
        if (again[i].value != values[i] || !again[i].ended)
            std::abort();
    return 0;
}
