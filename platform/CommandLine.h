#pragma once

// Command lines taken apart the way that system did it: the program name by the rule of
// CreateProcessA and CommandLineToArgvW, the arguments by the rule of its C runtime.

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One way of reading the program name off a command line.
struct ProgramSplit {
    std::string program;
    // What follows the program name, from its first non-blank character on.
    std::string_view rest;
};

// The readings CreateProcessA tries, in its order. A quoted name ends at the closing quote and
// has one reading. An unquoted name ends at the first blank; since CreateProcessA then tries
// longer names up to each further blank ("C:\Program Files\a.exe x" may be the program
// "C:\Program Files\a.exe"), there is one reading per blank. Empty for a blank command line.
std::vector<ProgramSplit> ProgramSplits(std::string_view commandLine);

// The arguments after the program name: blanks separate them, double quotes group, 2n
// backslashes before a quote give n backslashes and the quote groups, 2n+1 give n and a literal
// quote, other backslashes stay; "" gives an empty argument. Code page 932 aware: the second
// byte of a double-byte character is never a backslash.
std::vector<std::string> SplitArguments(std::string_view arguments);

// The whole command line as CommandLineToArgvW gives it: the first reading of the program name,
// then the arguments.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace platform
