#include "toolkit/RichText.h"

#include <cstring>

namespace tk {

std::string TRichDocument::PlainText() const
{
    std::string text;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i)
            text += "\r\n";
        for (const TTextRun& run : paragraphs[i].runs)
            for (char c : run.text) {
                if (c == '\n')
                    text += "\r\n";
                else
                    text += c;
            }
    }
    return text;
}

TTextBuffer::TTextBuffer(std::string text) : m_text(std::move(text))
{
    IndexFrom(0);
}

std::string_view TTextBuffer::Line(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    size_t start = m_starts[index];
    return std::string_view(m_text).substr(start, LineEnd(index) - start);
}

size_t TTextBuffer::LineEnd(int index) const
{
    size_t start = m_starts[index];
    size_t end = index + 1 < Count() ? m_starts[index + 1] : m_text.size();
    if (end > start && m_text[end - 1] == '\n')
        --end;
    if (end > start && m_text[end - 1] == '\r')
        --end;
    return end;
}

void TTextBuffer::Append(std::string_view line)
{
    if (!m_text.empty() && m_text.back() != '\n' && m_text.back() != '\r')
        m_text += "\r\n";
    size_t start = m_text.size();
    m_text += line;
    m_text += "\r\n";
    IndexFrom(start);
}

// Lines are found with memchr where the text has no CR at all, as texts of this desktop have not.
void TTextBuffer::IndexFrom(size_t offset)
{
    const char* data = m_text.data();
    size_t size = m_text.size();
    bool carriageReturns = offset < size && std::memchr(data + offset, '\r', size - offset) != nullptr;
    size_t longest = m_longest >= 0 ? Line(m_longest).size() : 0;
    for (size_t start = offset; start < size;) {
        size_t next = size;
        size_t end = size;
        if (!carriageReturns) {
            if (const void* found = std::memchr(data + start, '\n', size - start)) {
                end = static_cast<size_t>(static_cast<const char*>(found) - data);
                next = end + 1;
            }
        } else {
            for (size_t i = start; i < size; ++i) {
                if (data[i] == '\n' || data[i] == '\r') {
                    end = i;
                    next = i + (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n' ? 2 : 1);
                    break;
                }
            }
        }
        m_starts.push_back(static_cast<uint32_t>(start));
        if (end - start > longest || m_longest < 0) {
            longest = end - start;
            m_longest = Count() - 1;
        }
        start = next;
    }
}

}  // namespace tk
