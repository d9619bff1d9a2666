#include "toolkit/ErrorTexts.h"

#include "dos/DosText.h"

#include <string_view>

namespace tk {

namespace {

// The last character of code page 932 text, walked from the start: a trail byte may be any ASCII
// letter or stop, so the last byte alone does not tell.
std::string_view LastCharacter(std::string_view text)
{
    size_t start = 0;
    for (size_t offset = 0; offset < text.size(); offset = dos::NextCharacter(text, offset))
        start = offset;
    return text.substr(start);
}

bool EndsASentence(std::string_view character)
{
    for (std::string_view stop : {".", "!", "?", "。", "！", "？"})
        if (character == stop)
            return true;
    return false;
}

}  // namespace

std::string WithReason(std::string sentence, const std::string& reason)
{
    if (reason.empty())
        return sentence;
    sentence += reason;
    std::string_view last = LastCharacter(reason);
    // An English reason (a decoder's, the media system's) takes an English full stop.
    if (!EndsASentence(last))
        sentence += last.size() == 1 && static_cast<unsigned char>(last[0]) < 0x80 ? "." : "。";
    return sentence;
}

std::string CannotOpenFileText(const std::string& fileName, const std::string& reason)
{
    return WithReason("ファイル \"" + fileName + "\" を開けません。", reason);
}

std::string CannotOpenMediaFileText(const std::string& fileName, const std::string& reason)
{
    return WithReason("メディア ファイル \"" + fileName + "\" を開けません。", reason);
}

}  // namespace tk
