#include "probe/ScriptReader.h"

namespace probe {

namespace {
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}
}  // namespace

ScriptLine SplitWords(std::string_view text, int number)
{
    ScriptLine line;
    line.number = number;
    size_t i = 0;
    for (;;) {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        if (i == text.size())
            return line;
        // A word runs to the next blank outside quotes; quoted and plain parts join, as in
        // a shell, so that name="a b" is one word.
        std::string word;
        bool quoted = false;
        while (i < text.size() && (quoted || !IsBlank(text[i]))) {
            char c = text[i++];
            if (c == '"') {
                quoted = !quoted;
            } else if (quoted && c == '\\' && i < text.size() && (text[i] == '"' || text[i] == '\\')) {
                word += text[i++];
            } else {
                word += c;
            }
        }
        if (quoted) {
            line.words.clear();
            line.error = "unterminated quote";
            return line;
        }
        line.words.push_back(std::move(word));
    }
}

std::optional<ScriptLine> ScriptReader::Next()
{
    std::string text;
    while (std::getline(m_input, text)) {
        ++m_lineNumber;
        size_t first = 0;
        while (first < text.size() && IsBlank(text[first]))
            ++first;
        if (first == text.size() || text[first] == '#')
            continue;
        return SplitWords(text, m_lineNumber);
    }
    return std::nullopt;
}

}  // namespace probe
