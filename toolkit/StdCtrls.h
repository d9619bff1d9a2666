#pragma once

// The plain controls: panels, labels, push buttons, edits, combo boxes and check boxes.

#include "toolkit/WinControl.h"

#include <string>
#include <vector>

namespace tk {

class TUpDown;

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TBevelCut bevel);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);

    // Inside the bevel.
    TRect ClientRect() const override;

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    TPanelPeer* PanelPeer() const { return static_cast<TPanelPeer*>(m_peer.get()); }

private:
    TBevelCut m_bevelOuter = TBevelCut::bvRaised;
    TAlignment m_alignment = TAlignment::taCenter;
};

// A one-line text. With AutoSize (the default) it takes the size of its caption in its font.
class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner);

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    void CaptionChanged() override;
    void FontChanged() override;
    TLabelPeer* LabelPeer() const { return static_cast<TLabelPeer*>(m_peer.get()); }

private:
    void AdjustSize();

    bool m_autoSize = true;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    bool m_transparent = false;
};

// A push button. A button with a ModalResult closes its modal form with that result after its
// click event.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return m_default; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool cancel) { m_cancel = cancel; }
    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult result) { m_modalResult = result; }

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    void Click() override;
    bool DialogKey(uint16_t key, TShiftState shift, TWinControl& focused) override;
    TButtonPeer* ButtonPeer() const { return static_cast<TButtonPeer*>(m_peer.get()); }

private:
    bool m_default = false;
    bool m_cancel = false;
    TModalResult m_modalResult = mrNone;
};

// A one-line text field. OnChange runs whenever the text changes, whether the program set it or
// the user typed it, as the original edit's did. A read-only edit takes no typing; an up-down
// control bound to it steps with the arrow keys.
class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);
    ~TEdit() override;

    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    TUpDown* UpDown() const { return m_upDown; }

    TNotifyEvent OnChange;

    // The user replaced the text; a read-only edit keeps its own.
    void InputText(const std::string& text);

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    void CaptionChanged() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    TEditPeer* EditPeer() const { return static_cast<TEditPeer*>(m_peer.get()); }

private:
    friend class TUpDown;
    bool m_readOnly = false;
    TUpDown* m_upDown = nullptr;
};

// A drop-down list of items over a field that also takes typed text. The text is the chosen
// item's or what the user typed; ItemIndex is the item the text equals, -1 for none. Setting the
// text or the index from the program runs no event; the user's typing and choosing run OnChange.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);

    const std::vector<std::string>& Items() const { return m_items; }
    void SetItems(const std::vector<std::string>& items);
    int ItemIndex() const { return m_itemIndex; }
    // Chooses an item: the text becomes the item's; -1 (or an index past the items) empties it.
    void SetItemIndex(int index);

    TNotifyEvent OnChange;

    // The user replaced the text by typing, or chose the item at the index from the list.
    void InputText(const std::string& text);
    void InputChoose(int index);

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    void CaptionChanged() override;
    TComboBoxPeer* ComboPeer() const { return static_cast<TComboBoxPeer*>(m_peer.get()); }

private:
    int IndexOfText() const;

    std::vector<std::string> m_items;
    int m_itemIndex = -1;
};

// A box with a caption that the user ticks and clears. A click toggles it; every change of the
// state, the program's own included, runs OnClick, as the original check box did.
class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const { return m_checked; }
    void SetChecked(bool checked);

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    void Click() override;
    TCheckBoxPeer* CheckPeer() const { return static_cast<TCheckBoxPeer*>(m_peer.get()); }

private:
    bool m_checked = false;
};

// The name of a bevel or alignment as the toolkit spells it.
const char* BevelName(TBevelCut bevel);
const char* AlignmentName(TAlignment alignment);

}  // namespace tk
