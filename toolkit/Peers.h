#pragma once

// The back-end side of a component: one method per property, each with an empty default. A
// component calls its peer only while it has one, and replays its whole state to a new peer
// (InitializePeer), so a back end needs nothing but these calls to mirror the model.

#include "toolkit/Color.h"
#include "toolkit/Font.h"
#include "toolkit/Types.h"

#include <memory>
#include <string>

namespace tk {

class TControl;
class TForm;
class TPanel;
class TLabel;
class TButton;
class TImage;
class TScrollBar;
class TListView;
class TStringGrid;
class TDirectoryListBox;
class TDriveComboBox;
class THTML;
class TRichEdit;
class TEdit;
class TComboBox;
class TCheckBox;
class TUpDown;
class TPageControl;
class TTabSheet;
enum class TScrollStyle;

struct TVideoFrame;

class TControlPeer {
public:
    virtual ~TControlPeer() = default;
    virtual void SetBounds(const TRect& bounds) {}
    virtual void SetVisible(bool visible) {}
    virtual void SetEnabled(bool enabled) {}
    virtual void SetColor(TColor color) {}
    virtual void SetFont(const TFont& font) {}
    virtual void SetHint(const std::string& hint, bool showHint) {}
    virtual void SetCursor(TCursor cursor) {}
    // The caption or text, in code page 932.
    virtual void SetText(const std::string& text) {}
    // The control moved within its parent's stacking order.
    virtual void Restack() {}
    // The content changed (a picture was replaced, a canvas drawn on).
    virtual void Invalidate() {}
    // The control became its form's active control: the input focus goes to it.
    virtual void SetFocus() {}
    virtual void SetTabStop(bool tabStop) {}
    // A picture of a video that a media player draws into the control: shown over the control's
    // background and beneath its children, scaled to fit; null takes it away.
    virtual void SetVideoFrame(std::shared_ptr<const TVideoFrame> frame) {}
};

class TFormPeer : public TControlPeer {
public:
    virtual void SetFormStyle(TFormStyle style) {}
    virtual void SetBorderIcons(TBorderIcons icons) {}
    virtual void SetBorderStyle(TFormBorderStyle style) {}
    // Auto-scroll and both window scroll bars (range, visibility, position).
    virtual void SetScrolling() {}
    virtual void BringToFront() {}
};

class TPanelPeer : public TControlPeer {
public:
    virtual void SetBevelOuter(TBevelCut bevel) {}
    virtual void SetAlignment(TAlignment alignment) {}
};

class TLabelPeer : public TControlPeer {
public:
    virtual void SetAlignment(TAlignment alignment) {}
    virtual void SetTransparent(bool transparent) {}
};

class TButtonPeer : public TControlPeer {
public:
    virtual void SetDefault(bool isDefault) {}
};

class TImagePeer : public TControlPeer {
public:
    virtual void SetStretch(bool stretch) {}
};

class TScrollBarPeer : public TControlPeer {
public:
    virtual void SetKind(TScrollBarKind kind) {}
    // Min, Max, Position, SmallChange, LargeChange and PageSize together.
    virtual void SetParams() {}
};

class TListViewPeer : public TControlPeer {
public:
    virtual void SetViewStyle(TViewStyle style) {}
    virtual void ColumnsChanged() {}
    // Rows were added, deleted or rewritten.
    virtual void ItemsChanged() {}
    virtual void SelectionChanged() {}
    // The image lists were replaced or their images changed.
    virtual void ImagesChanged() {}
};

class TStringGridPeer : public TControlPeer {
public:
    // Column or row counts, fixed rows and columns, sizes or the editing option changed.
    virtual void LayoutChanged() {}
    virtual void CellsChanged() {}
};

class TDirectoryListBoxPeer : public TControlPeer {
public:
    // The folder lines were built anew (another current folder).
    virtual void ItemsChanged() {}
};

class TDriveComboBoxPeer : public TControlPeer {
public:
    // The drives or the chosen drive changed.
    virtual void ItemsChanged() {}
};

class THtmlPeer : public TControlPeer {
public:
    // A document was asked for (THTML::URL); the back end loads it again even when unchanged.
    virtual void RequestDoc() {}
};

class TRichEditPeer : public TControlPeer {
public:
    // The program replaced the text or the document (the user's own typing does not come back).
    virtual void ContentChanged() {}
    virtual void SetReadOnly(bool readOnly) {}
    virtual void SetScrollBars(TScrollStyle scrollBars) {}
    virtual void SetWordWrap(bool wordWrap) {}
    virtual void SetDefAttributes(const TFont& attributes) {}
};

class TEditPeer : public TControlPeer {
public:
    virtual void SetReadOnly(bool readOnly) {}
};

class TComboBoxPeer : public TControlPeer {
public:
    // The items or the chosen item changed (the text comes through SetText).
    virtual void ItemsChanged() {}
};

class TCheckBoxPeer : public TControlPeer {
public:
    virtual void SetChecked(bool checked) {}
};

class TUpDownPeer : public TControlPeer {
public:
    // Min, Max and Position together.
    virtual void SetParams() {}
};

class TPageControlPeer : public TControlPeer {
public:
    // Pages came or went, a tab's caption changed, or another page became the active one.
    virtual void PagesChanged() {}
};

// A page of a page control: a plain area that holds the page's controls.
class TTabSheetPeer : public TControlPeer {};

// Makes the peer of each component kind; a back end that has no peer for a kind returns null.
class IPeerFactory {
public:
    virtual ~IPeerFactory() = default;
    virtual std::unique_ptr<TFormPeer> CreatePeer(TForm& form) = 0;
    virtual std::unique_ptr<TPanelPeer> CreatePeer(TPanel& panel) = 0;
    virtual std::unique_ptr<TLabelPeer> CreatePeer(TLabel& label) = 0;
    virtual std::unique_ptr<TButtonPeer> CreatePeer(TButton& button) = 0;
    virtual std::unique_ptr<TImagePeer> CreatePeer(TImage& image) = 0;
    virtual std::unique_ptr<TScrollBarPeer> CreatePeer(TScrollBar& scrollBar) = 0;
    virtual std::unique_ptr<TListViewPeer> CreatePeer(TListView&) { return nullptr; }
    virtual std::unique_ptr<TStringGridPeer> CreatePeer(TStringGrid&) { return nullptr; }
    virtual std::unique_ptr<TDirectoryListBoxPeer> CreatePeer(TDirectoryListBox&) { return nullptr; }
    virtual std::unique_ptr<TDriveComboBoxPeer> CreatePeer(TDriveComboBox&) { return nullptr; }
    virtual std::unique_ptr<THtmlPeer> CreatePeer(THTML&) { return nullptr; }
    virtual std::unique_ptr<TRichEditPeer> CreatePeer(TRichEdit&) { return nullptr; }
    virtual std::unique_ptr<TEditPeer> CreatePeer(TEdit&) { return nullptr; }
    virtual std::unique_ptr<TComboBoxPeer> CreatePeer(TComboBox&) { return nullptr; }
    virtual std::unique_ptr<TCheckBoxPeer> CreatePeer(TCheckBox&) { return nullptr; }
    virtual std::unique_ptr<TUpDownPeer> CreatePeer(TUpDown&) { return nullptr; }
    virtual std::unique_ptr<TPageControlPeer> CreatePeer(TPageControl&) { return nullptr; }
    virtual std::unique_ptr<TTabSheetPeer> CreatePeer(TTabSheet&) { return nullptr; }
};

}  // namespace tk
