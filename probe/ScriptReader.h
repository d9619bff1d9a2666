#pragma once

// Reads a probe script line by line: blank lines and lines starting with "#" are skipped, the
// rest is cut into words at blanks. A word may be quoted ("a b") to hold blanks; inside quotes
// \" stands for a quote and \\ for a backslash, while any other backslash is kept as it is, so
// that DOS paths read naturally. Texts stay UTF-8 here.

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace probe {

struct ScriptLine {
    int number = 0;
    std::vector<std::string> words;
    // Set when the line cannot be cut into words; words is then empty.
    std::string error;
};

// Cuts one line into words. An unterminated quote gives an error.
ScriptLine SplitWords(std::string_view text, int number = 0);

class ScriptReader {
public:
    explicit ScriptReader(std::istream& input) : m_input(input) {}

    // The next line that holds a command; none at the end of the script.
    std::optional<ScriptLine> Next();
    int LineNumber() const { return m_lineNumber; }

private:
    std::istream& m_input;
    int m_lineNumber = 0;
};

}  // namespace probe
