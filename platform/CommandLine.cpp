#include "platform/CommandLine.h"

#include "platform/CodePage.h"

namespace platform {

namespace {
bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

size_t SkipBlanks(std::string_view text, size_t at)
{
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at;
}

}  // namespace

std::vector<ProgramSplit> ProgramSplits(std::string_view commandLine)
{
    std::vector<ProgramSplit> splits;
    size_t start = SkipBlanks(commandLine, 0);
    if (start == commandLine.size())
        return splits;
    if (commandLine[start] == '"') {
        // The name ends at the next quote, whatever stands before it.
        size_t close = commandLine.find('"', start + 1);
        size_t end = close == std::string_view::npos ? commandLine.size() : close;
        size_t next = close == std::string_view::npos ? end : close + 1;
        splits.push_back({std::string(commandLine.substr(start + 1, end - start - 1)),
                          commandLine.substr(SkipBlanks(commandLine, next))});
        return splits;
    }
    for (size_t at = start; at <= commandLine.size(); ++at) {
        if (at < commandLine.size() && !IsBlank(commandLine[at]))
            continue;
        if (!IsBlank(commandLine[at - 1]))
            splits.push_back({std::string(commandLine.substr(start, at - start)),
                              commandLine.substr(SkipBlanks(commandLine, at))});
    }
    return splits;
}

std::vector<std::string> SplitArguments(std::string_view arguments)
{
    std::vector<std::string> result;
    size_t at = SkipBlanks(arguments, 0);
    if (at == arguments.size())
        return result;
    std::string current;
    bool quoted = false;
    int quotes = 0;  // Quotes seen in a row, counting the one that opened the quoted part.
    size_t backslashes = 0;
    while (at < arguments.size()) {
        char c = arguments[at];
        if (IsBlank(c) && !quoted) {
            result.push_back(std::move(current));
            current.clear();
            backslashes = 0;
            at = SkipBlanks(arguments, at);
            if (at == arguments.size())
                return result;
            continue;
        }
        if (c == '\\') {
            current += c;
            ++backslashes;
            ++at;
            continue;
        }
        if (c != '"') {
            size_t next = dos::NextCharacter(arguments, at);
            current.append(arguments.substr(at, next - at));
            backslashes = 0;
            at = next;
            continue;
        }
        // A quote: half the backslashes before it stay; an odd one out makes it literal.
        current.resize(current.size() - backslashes / 2 - backslashes % 2);
        bool literal = backslashes % 2 == 1;
        backslashes = 0;
        ++at;
        if (literal) {
            current += '"';
            continue;
        }
        // Within quotes, every third quote of a run is a literal one; a run of two closes and
        // reopens nothing.
        quotes = quoted ? 2 : 1;
        while (at < arguments.size() && arguments[at] == '"') {
            if (++quotes == 3) {
                current += '"';
                quotes = 0;
            }
            ++at;
        }
        quoted = quotes == 1;
    }
    result.push_back(std::move(current));
    return result;
}

std::vector<std::string> SplitCommandLine(std::string_view commandLine)
{
    std::vector<ProgramSplit> splits = ProgramSplits(commandLine);
    if (splits.empty())
        return {};
    std::vector<std::string> result{splits.front().program};
    for (std::string& argument : SplitArguments(splits.front().rest))
        result.push_back(std::move(argument));
    return result;
}

}  // namespace platform
