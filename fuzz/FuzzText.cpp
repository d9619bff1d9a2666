// libFuzzer target: text files as the text viewer reads them (encoding found by the byte-order
// mark or by reading the bytes, then decoded into code page 932), and host file names, which the
// program turns into code page 932 and must get back unchanged whatever bytes they hold.

#include "platform/CodePage.h"
#include "platform/JapaneseEncodings.h"
#include "platform/TextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    platform::TextEncoding whole = platform::DetectTextEncoding(bytes);
    platform::TextEncoding marks = platform::DetectTextEncoding(bytes, platform::TextCheck::MarksOnly);
    // Reading the whole text can only take back what the marks alone suggested, never add a mark.
    if (whole != marks && marks != platform::TextEncoding::Utf8)
        std::abort();
    if (whole == platform::TextEncoding::Utf8 && !platform::IsValidUtf8(bytes))
        std::abort();
    std::string text = platform::DecodeTextFile(std::string(bytes));
    // The viewer's quick look at the first non-ASCII bytes comes to the same text as reading all.
    if (whole == platform::TextEncoding::Utf8 && text != platform::Utf8ToCp932(bytes))
        std::abort();
    if (whole == platform::TextEncoding::CodePage932 && text != bytes)
        std::abort();
    if (whole == platform::TextEncoding::EucJp && text != platform::EucJpToCp932(bytes))
        std::abort();
    // Every byte string decodes as either Japanese encoding without harm, recognised or not.
    platform::EucJpToCp932(bytes);
    platform::Iso2022JpToCp932(bytes);
    platform::Cp932ToUtf8(text);

    // No host name is lost: every byte string comes back from code page 932 as it was.
    if (platform::Cp932ToUtf8(platform::Utf8ToCp932(bytes)) != bytes)
        std::abort();
    if (platform::Cp932ToUtf8(platform::HostNameToCp932(bytes)) != bytes)
        std::abort();
    if (auto strict = platform::StrictUtf8ToCp932(bytes); strict && !platform::IsValidUtf8(bytes))
        std::abort();

    // Code page 932 text read as such (a file without a mark that is not UTF-8) converts without harm.
    platform::Cp932ToUtf8(bytes);
    return 0;
}
