#include "platform/DesktopEntry.h"

#include "platform/CurrentFolder.h"
#include "platform/HostFiles.h"


namespace platform {

namespace {
// The Exec line's words. Within double quotes a backslash escapes only " ` $ and itself. Outside
// quotes it escapes any character and single quotes are honoured too, as the desktops' own
// launchers read the line (a shell's rules); real entries rely on that.
std::optional<std::vector<std::string>> ExecWords(std::string_view line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\\' && i + 1 < line.size()) {
            word += line[++i];
        } else if (c == '\'') {
            size_t close = line.find('\'', i + 1);
            if (close == std::string_view::npos)
                return std::nullopt;
            word.append(line.substr(i + 1, close - i - 1));
            i = close;
        } else if (c == '"') {
            for (++i;; ++i) {
                if (i == line.size())
                    return std::nullopt;
                if (line[i] == '"')
                    break;
                if (line[i] == '\\' && i + 1 < line.size()
                    && std::string_view("\"`$\\").find(line[i + 1]) != std::string_view::npos)
                    ++i;
                word += line[i];
            }
        } else {
            word += c;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

bool IsUri(const std::string& text)
{
    size_t colon = text.find("://");
    if (colon == std::string::npos || colon == 0)
        return false;
    for (size_t i = 0; i < colon; ++i) {
        char c = text[i];
        bool schemeChar = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
            || c == '+' || c == '-' || c == '.';
        if (!schemeChar)
            return false;
    }
    return true;
}

// One field code's text inside a word.
std::string FieldText(char code, const DesktopEntry& entry, const std::vector<std::string>& files)
{
    switch (code) {
    case 'f':
    case 'F': return files.empty() ? std::string() : files.front();
    case 'u':
    case 'U': return files.empty() ? std::string() : FileUri(files.front());
    case 'i': return entry.icon;
    case 'c': return entry.name;
    case 'k': return entry.location;
    case '%': return "%";
    default: return std::string();  // Deprecated (%d %D %n %N %v %m) or unknown.
    }
}
}  // namespace

const formats::KeyFileGroup* DesktopEntryGroup(const formats::KeyFile& file)
{
    if (!file.WellFormed() || file.Groups().empty() || file.Groups().front().name != "Desktop Entry")
        return nullptr;
    return &file.Groups().front();
}

std::optional<DesktopEntry> ParseDesktopEntry(std::string_view text, const std::string& location)
{
    const formats::KeyFile file = formats::KeyFile::Parse(text);
    const formats::KeyFileGroup* group = DesktopEntryGroup(file);
    if (!group)
        return std::nullopt;
    std::optional<std::string> exec = group->Value("Exec");
    std::optional<std::string> type = group->Value("Type");
    if (!exec || (type && *type != "Application"))
        return std::nullopt;
    DesktopEntry entry;
    entry.exec = *exec;
    entry.icon = group->Value("Icon").value_or(std::string());
    entry.name = group->Value("Name").value_or(std::string());
    entry.location = location;
    return entry;
}

std::optional<DesktopEntry> ReadDesktopEntry(const std::string& path)
{
    std::optional<std::string> text = ReadHostFile(path);
    if (!text)
        return std::nullopt;
    return ParseDesktopEntry(*text, path);
}

std::vector<std::string> ExpandExec(const DesktopEntry& entry, const std::vector<std::string>& files)
{
    auto words = ExecWords(entry.exec);
    if (!words || words->empty())
        return {};
    std::vector<std::string> argv;
    for (const std::string& word : *words) {
        // Codes that stand alone may give several arguments, or none.
        if (word == "%F" || word == "%U") {
            for (const std::string& file : files)
                argv.push_back(word == "%F" ? file : FileUri(file));
            continue;
        }
        if (word == "%i") {
            if (!entry.icon.empty()) {
                argv.push_back("--icon");
                argv.push_back(entry.icon);
            }
            continue;
        }
        std::string expanded;
        for (size_t i = 0; i < word.size(); ++i) {
            if (word[i] == '%' && i + 1 < word.size())
                expanded += FieldText(word[++i], entry, files);
            else
                expanded += word[i];
        }
        bool codeAlone = word.size() == 2 && word[0] == '%';
        if (!(codeAlone && expanded.empty()))
            argv.push_back(std::move(expanded));
    }
    if (argv.empty() || argv.front().empty())
        return {};
    return argv;
}

std::string FileUri(const std::string& path)
{
    if (IsUri(path))
        return path;
    std::string absolute = !path.empty() && path.front() == '/' ? path : CurrentHostFolder() + "/" + path;
    static const char digits[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (unsigned char c : absolute) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
            || c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            uri += char(c);
        } else {
            uri += '%';
            uri += digits[c >> 4];
            uri += digits[c & 15];
        }
    }
    return uri;
}

}  // namespace platform
