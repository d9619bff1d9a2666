#pragma once

// The two Japanese encodings of Unix mail and older Unix desktops beside Shift-JIS: EUC-JP and
// ISO-2022-JP ("JIS"). Both carry the same JIS X 0208 character set as code page 932, so their
// characters are brought into the code page by arithmetic on the character's row and cell, and
// land on the very code the code page shows for them.

#include <string>
#include <string_view>

namespace platform {

// Whether a text of 7-bit bytes is ISO-2022-JP: it switches to a Japanese character set
// (ESC $ B, ESC $ @ or ESC ( I) at least once.
bool LooksLikeIso2022Jp(std::string_view bytes);

// Whether a text that is not UTF-8 is EUC-JP rather than code page 932. The first MiB from its
// first byte beyond ASCII is read: it must be EUC-JP with hardly a broken sequence, and either read
// worse as code page 932 or plainly be Japanese as EUC-JP (a quarter of its characters kana). A
// code page 932 text of half-width katakana alone, which is often well-formed EUC-JP too, stays
// code page 932. A character cut by the end counts for neither.
bool LooksLikeEucJp(std::string_view bytes);

// The text in code page 932. What does not decode (a broken sequence, a character cut by the end)
// becomes U+FFFD; a JIS X 0212 character (EUC-JP's 0x8F) that the code page lacks is kept as the
// code page 932 converter keeps any such character (see CodePage.h).
std::string EucJpToCp932(std::string_view bytes);
std::string Iso2022JpToCp932(std::string_view bytes);

}  // namespace platform
