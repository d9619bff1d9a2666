#pragma once

#include "toolkit/WinControl.h"

namespace tk {

class TForm;

// One of a form's own window scroll bars.
class TControlScrollBar {
public:
    int Range() const { return m_range; }
    void SetRange(int range);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    int Position() const { return m_position; }
    void SetPosition(int position);

private:
    friend class TForm;
    explicit TControlScrollBar(TForm& form) : m_form(form) {}
    void Changed();

    TForm& m_form;
    int m_range = 0;
    bool m_visible = true;
    int m_position = 0;
};

// A top-level window. Width and Height are its outer size, frame and caption included; the
// client size differs by fixed frame metrics, so layout arithmetic gives the same numbers with
// or without a display.
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    static constexpr int FrameWidth = 8;
    static constexpr int FrameHeight = 23;

    // Ends the design state and runs OnCreate; TApplication::CreateForm calls it.
    void AfterConstruction();

    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int width);
    void SetClientHeight(int height);

    TFormPosition Position() const { return m_position; }
    void SetPosition(TFormPosition position) { m_position = position; }
    TFormStyle FormStyle() const { return m_formStyle; }
    void SetFormStyle(TFormStyle style);
    TBorderIcons BorderIcons() const { return m_borderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle style);

    // With auto-scroll on, the docked controls share the whole scrolled area: the client area
    // grown to the ranges of the visible scroll bars, so that a panel filling the window carries
    // a picture larger than the window and the bars pan all of it.
    TRect ClientRect() const override;

    bool AutoScroll() const { return m_autoScroll; }
    void SetAutoScroll(bool autoScroll);
    TControlScrollBar& HorzScrollBar() { return m_horzScrollBar; }
    const TControlScrollBar& HorzScrollBar() const { return m_horzScrollBar; }
    TControlScrollBar& VertScrollBar() { return m_vertScrollBar; }
    const TControlScrollBar& VertScrollBar() const { return m_vertScrollBar; }

    TWinControl* ActiveControl() const { return m_activeControl; }
    void SetActiveControl(TWinControl* control);

    void SetVisible(bool visible) override;
    // Shows the form modally and returns when its ModalResult is set; the result is returned.
    TModalResult ShowModal();
    bool Modal() const { return m_modal; }
    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult result);
    // Closes the form: a modal form ends with mrCancel; the main form ends the application.
    void Close();
    // Clicks the visible, enabled default button (or cancel button); false when there is none.
    bool PressDialogButton(bool isDefault);
    // Gives the focus to the first control in tab order, as a dialog does when it opens.
    void SelectFirst();

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TNotifyEvent OnResize;
    TNotifyEvent OnDestroy;

    // The user resized the window to a client size, moved it, or pressed its close box (or the
    // window manager asked it to close: refused by a window that has no close box, unless modal).
    void InputResize(int clientWidth, int clientHeight);
    void InputMove(int left, int top);
    // The user moved and sized the window at once to outer bounds.
    void InputBounds(int left, int top, int width, int height);
    void InputClose();

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    void BoundsChanged(const TRect& oldBounds) override;
    bool DialogKey(uint16_t key, TShiftState shift, TWinControl& focused) override;
    TFormPeer* FormPeer() const { return static_cast<TFormPeer*>(m_peer.get()); }
    int FrameX() const;
    int FrameY() const;

private:
    friend class TControlScrollBar;
    friend class TWinControl;
    void ForgetActiveControl() { m_activeControl = nullptr; }
    void ScrollingChanged();
    void ApplyPosition();

    bool m_designing = true;
    bool m_shownBefore = false;
    bool m_modal = false;
    TModalResult m_modalResult = mrNone;
    TFormPosition m_position = TFormPosition::poDesigned;
    TFormStyle m_formStyle = TFormStyle::fsNormal;
    TBorderIcons m_borderIcons = biSystemMenu | biMinimize | biMaximize;
    TFormBorderStyle m_borderStyle = TFormBorderStyle::bsSizeable;
    bool m_autoScroll = false;
    TControlScrollBar m_horzScrollBar{*this};
    TControlScrollBar m_vertScrollBar{*this};
    TWinControl* m_activeControl = nullptr;
};

}  // namespace tk
