#pragma once

// The plain controls: panels, labels and push buttons.

#include "toolkit/WinControl.h"

namespace tk {

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
    TButtonPeer* ButtonPeer() const { return static_cast<TButtonPeer*>(m_peer.get()); }

private:
    bool m_default = false;
    bool m_cancel = false;
    TModalResult m_modalResult = mrNone;
};

// The name of a bevel or alignment as the toolkit spells it.
const char* BevelName(TBevelCut bevel);
const char* AlignmentName(TAlignment alignment);

}  // namespace tk
