#pragma once

#include "toolkit/Services.h"

namespace platform {
class Host;
}

namespace orvane {

// The text file service of the rich edits, over the host's drives: rich text through the reader
// of formats/, plain text in the encoding it is found in, both into code page 932.
class HostTextFiles : public tk::ITextFiles {
public:
    explicit HostTextFiles(platform::Host& host) : m_host(host) {}

    tk::TRichContent ReadTextFile(const std::string& dosPath, tk::TTextFormat format) override;

private:
    platform::Host& m_host;
};

}  // namespace orvane
