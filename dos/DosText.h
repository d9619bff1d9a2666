#pragma once

// Code page 932 text as the program holds it, walked character by character.
//
// A double-byte character is a lead byte and a trail byte, and the trail byte may be any of
// 0x40-0x7E and 0x80-0xFC: the "\" (0x5C) that ends the characters for "table" (0x95 0x5C) and
// "so" (0x83 0x5C), the "|" (0x7C) of others, and the ASCII letters. A rule about separators or letters therefore looks at characters: it skips the
// trail byte of a double-byte character, which is never a separator and never a letter.
//
// Plain C++ over byte strings, so that every layer, the component model included, can use it.

#include <string>
#include <string_view>

namespace dos {

// True when the byte starts a double-byte character of code page 932.
constexpr bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// True when the byte can end a double-byte character.
constexpr bool IsTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// The byte offset just past the character that starts at `offset`: two bytes for a lead byte
// followed by a trail byte, one otherwise (a lead byte at the end or before a byte that cannot
// follow it stands alone).
inline size_t NextCharacter(std::string_view text, size_t offset)
{
    bool pair = IsLeadByte(static_cast<unsigned char>(text[offset])) && offset + 1 < text.size()
        && IsTrailByte(static_cast<unsigned char>(text[offset + 1]));
    return offset + (pair ? 2 : 1);
}

// ASCII letters only; every other byte, and both bytes of a double-byte character, stay.
constexpr char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}
constexpr char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);

// Whether the text holds nothing but blanks: ASCII spaces and tabs and the full-width space.
bool IsBlank(std::string_view text);

// The text up to its first line break (a carriage return or a line feed), as a single-line field
// keeps a pasted text.
std::string_view FirstLine(std::string_view text);

// Whether two texts are equal with ASCII letters folded (as DOS names compare); the bytes of
// double-byte characters must be equal.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace dos
