#pragma once

// The rich edit: a text area that shows plain or rich text, loads files, and may be edited.

#include "toolkit/RichText.h"
#include "toolkit/WinControl.h"

#include <memory>
#include <string>

namespace tk {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TRichEdit;

// The lines of a rich edit, as the original toolkit's string list gives them.
class TRichEditStrings {
public:
    explicit TRichEditStrings(TRichEdit& owner) : m_owner(owner) {}

    int Count() const;
    // Line N; empty beyond the last.
    std::string Strings(int index) const;
    std::string operator[](int index) const { return Strings(index); }
    // Every line followed by CR LF.
    std::string Text() const;
    void SetText(const std::string& text);
    void Clear();
    void Add(const std::string& line);
    // Reads the file through the application's text file service: as rich text when the rich
    // edit's PlainText is off and the file is rich text, as plain text otherwise. Throws
    // EInOutError when the file cannot be read.
    void LoadFromFile(const std::string& fileName);

private:
    TRichEdit& m_owner;
};

class TRichEdit : public TWinControl {
public:
    explicit TRichEdit(TComponent* owner);

    TRichEditStrings& Lines() { return m_lines; }
    const TRichEditStrings& Lines() const { return m_lines; }
    // The text and, for rich text, its document. The peer paints from these.
    const TRichContent& Content() const { return m_content; }
    const TTextBuffer& TextLines() const { return *m_content.lines; }

    bool PlainText() const { return m_plainText; }
    void SetPlainText(bool plainText) { m_plainText = plainText; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle scrollBars);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);
    // The attributes of text that gives none of its own: all of a plain text, and whatever a rich
    // text leaves to the default (its automatic colour). They follow the control's font whenever
    // that changes.
    TFont& DefAttributes() { return m_defAttributes; }
    const TFont& DefAttributes() const { return m_defAttributes; }

    // Runs whenever the text changes: by the program, by loading a file, or by the user.
    TNotifyEvent OnChange;

    // The user changed the text in the control to this (code page 932). The control already shows
    // it, so it is not sent back.
    void InputText(const std::string& text);

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    void FontChanged() override;
    virtual void Change();
    TRichEditPeer* RichEditPeer() const { return static_cast<TRichEditPeer*>(m_peer.get()); }

private:
    friend class TRichEditStrings;
    // The program replaced the content: the peer shows it and OnChange runs.
    void SetContent(TRichContent content);
    // A buffer for the lines that may be changed in place, shared with nobody.
    TTextBuffer& OwnLines();
    void ContentEdited();

    TRichEditStrings m_lines{*this};
    TRichContent m_content;
    bool m_plainText = false;
    bool m_readOnly = false;
    TScrollStyle m_scrollBars = TScrollStyle::ssNone;
    bool m_wordWrap = true;
    TFont m_defAttributes;
};

const char* ScrollStyleName(TScrollStyle style);

}  // namespace tk
