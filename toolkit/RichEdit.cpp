#include "toolkit/RichEdit.h"

#include "toolkit/Application.h"
#include "toolkit/ErrorTexts.h"
#include "toolkit/Exception.h"

namespace tk {

const char* ScrollStyleName(TScrollStyle style)
{
    switch (style) {
    case TScrollStyle::ssNone: return "ssNone";
    case TScrollStyle::ssHorizontal: return "ssHorizontal";
    case TScrollStyle::ssVertical: return "ssVertical";
    case TScrollStyle::ssBoth: return "ssBoth";
    }
    return "ssNone";
}

int TRichEditStrings::Count() const
{
    return m_owner.TextLines().Count();
}

std::string TRichEditStrings::Strings(int index) const
{
    return std::string(m_owner.TextLines().Line(index));
}

std::string TRichEditStrings::Text() const
{
    const TTextBuffer& lines = m_owner.TextLines();
    std::string text;
    text.reserve(lines.Text().size() + 2);
    for (int index = 0; index < lines.Count(); ++index) {
        text += lines.Line(index);
        text += "\r\n";
    }
    return text;
}

void TRichEditStrings::SetText(const std::string& text)
{
    m_owner.SetContent({std::make_shared<TTextBuffer>(text), nullptr});
}

void TRichEditStrings::Clear()
{
    m_owner.SetContent({std::make_shared<TTextBuffer>(), nullptr});
}

// A line added to rich text becomes a paragraph in the default attributes.
void TRichEditStrings::Add(const std::string& line)
{
    m_owner.OwnLines().Append(line);
    if (m_owner.m_content.document) {
        auto document = std::make_shared<TRichDocument>(*m_owner.m_content.document);
        TParagraph paragraph;
        paragraph.runs.push_back({line, TCharFormat{}});
        document->paragraphs.push_back(std::move(paragraph));
        m_owner.m_content.document = std::move(document);
    }
    m_owner.ContentEdited();
}

void TRichEditStrings::LoadFromFile(const std::string& fileName)
{
    TApplication* application = m_owner.Application();
    ITextFiles* files = application ? application->TextFiles() : nullptr;
    if (!files)
        throw EInOutError(CannotOpenFileText(fileName, "ファイルを読むサービスがありません"));
    m_owner.SetContent(
        files->ReadTextFile(fileName, m_owner.PlainText() ? TTextFormat::Plain : TTextFormat::RichOrPlain));
}

TRichEdit::TRichEdit(TComponent* owner) : TWinControl(owner)
{
    m_content.lines = std::make_shared<TTextBuffer>();
    m_defAttributes = Font();
    m_defAttributes.OnChange = [this] {
        if (RichEditPeer())
            RichEditPeer()->SetDefAttributes(m_defAttributes);
    };
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 185, 89);
}

void TRichEdit::SetReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    if (RichEditPeer())
        RichEditPeer()->SetReadOnly(readOnly);
}

void TRichEdit::SetScrollBars(TScrollStyle scrollBars)
{
    if (m_scrollBars == scrollBars)
        return;
    m_scrollBars = scrollBars;
    if (RichEditPeer())
        RichEditPeer()->SetScrollBars(scrollBars);
}

void TRichEdit::SetWordWrap(bool wordWrap)
{
    if (m_wordWrap == wordWrap)
        return;
    m_wordWrap = wordWrap;
    if (RichEditPeer())
        RichEditPeer()->SetWordWrap(wordWrap);
}

void TRichEdit::FontChanged()
{
    TWinControl::FontChanged();
    m_defAttributes = Font();
}

void TRichEdit::InputText(const std::string& text)
{
    RunHandler([&] {
        m_content = {std::make_shared<TTextBuffer>(text), nullptr};
        Change();
    });
}

void TRichEdit::SetContent(TRichContent content)
{
    if (!content.lines)
        content.lines = std::make_shared<TTextBuffer>();
    m_content = std::move(content);
    ContentEdited();
}

void TRichEdit::ContentEdited()
{
    if (RichEditPeer())
        RichEditPeer()->ContentChanged();
    Change();
}

// The buffer is changed in place only while this control alone holds it; once the peer has taken
// it, a change goes to a copy so that what the peer paints stays whole.
TTextBuffer& TRichEdit::OwnLines()
{
    if (m_content.lines.use_count() != 1)
        m_content.lines = std::make_shared<TTextBuffer>(*m_content.lines);
    // The buffer was made by make_shared<TTextBuffer> and is shared with nobody, so it may change.
    return const_cast<TTextBuffer&>(*m_content.lines);
}

void TRichEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

std::unique_ptr<TControlPeer> TRichEdit::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TRichEdit::InitializePeer()
{
    RichEditPeer()->SetReadOnly(m_readOnly);
    RichEditPeer()->SetScrollBars(m_scrollBars);
    RichEditPeer()->SetWordWrap(m_wordWrap);
    RichEditPeer()->SetDefAttributes(m_defAttributes);
    RichEditPeer()->ContentChanged();
    TWinControl::InitializePeer();
}

void TRichEdit::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("Lines.Count", TPropertyValue::Integer(m_lines.Count()));
    list.Add("PlainText", TPropertyValue::Boolean(m_plainText));
    list.Add("ReadOnly", TPropertyValue::Boolean(m_readOnly));
    list.Add("ScrollBars", TPropertyValue::Enumeration(ScrollStyleName(m_scrollBars)));
    list.Add("WordWrap", TPropertyValue::Boolean(m_wordWrap));
    list.Add("DefAttributes.Color", TPropertyValue::ColorValue(m_defAttributes.Color()));
    list.Add("DefAttributes.Size", TPropertyValue::Integer(m_defAttributes.Size()));
    list.Add("RichText", TPropertyValue::Boolean(m_content.document != nullptr));
}

}  // namespace tk
