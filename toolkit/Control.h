#pragma once

#include "toolkit/Color.h"
#include "toolkit/Component.h"
#include "toolkit/Font.h"
#include "toolkit/Peers.h"

#include <functional>
#include <memory>
#include <string>

namespace tk {

class TWinControl;
class TForm;

// A visual component: geometry relative to its parent's client area, visibility, colours, font,
// hint, cursor and the mouse events. Setters store the value and then tell the peer, if there is
// one; getters never ask the peer.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return m_parent; }
    void SetParent(TWinControl* parent);
    // The form the control lies on (itself for a form); null while it has no parent.
    TForm* ParentForm() const;

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetLeft(int left) { SetBounds(left, m_top, m_width, m_height); }
    void SetTop(int top) { SetBounds(m_left, top, m_width, m_height); }
    void SetWidth(int width) { SetBounds(m_left, m_top, width, m_height); }
    void SetHeight(int height) { SetBounds(m_left, m_top, m_width, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(m_left, m_top, m_width, m_height); }
    virtual int ClientWidth() const { return m_width; }
    virtual int ClientHeight() const { return m_height; }

    bool Visible() const { return m_visible; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and on a visible parent all the way up.
    bool Showing() const;
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool parentColor);
    // The font; changing it through this reference turns ParentFont off.
    TFont& Font() { return m_font; }
    const TFont& Font() const { return m_font; }
    void SetFont(const TFont& font) { m_font = font; }
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool parentFont);

    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return m_showHint; }
    // Setting ShowHint turns ParentShowHint off; while ParentShowHint is on (as it is from the
    // start), the control shows its hint when its parent does.
    void SetShowHint(bool showHint);
    bool ParentShowHint() const { return m_parentShowHint; }
    void SetParentShowHint(bool parentShowHint);
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor cursor);

    // Caption and Text are one value, as in the original toolkit.
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption);
    const std::string& Text() const { return m_caption; }
    void SetText(const std::string& text) { SetCaption(text); }

    // How the control docks in its parent's client area: along an edge (keeping its other
    // dimension) or filling what is left.
    TAlign Align() const { return m_align; }
    void SetAlign(TAlign align);

    // Moves the control to the top or the bottom of its parent's stacking order.
    void BringToFront();
    void SendToBack();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

    // User input enters here, from a peer, the probe or a test. Each entry runs the event inside
    // the application's error report: an exception ends the handler and is shown to the user.
    void InputClick();
    void InputDblClick();
    void InputMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void InputMouseMove(TShiftState shift, int x, int y);
    void InputMouseUp(TMouseButton button, TShiftState shift, int x, int y);

    TControlPeer* Peer() const { return m_peer.get(); }
    bool HasPeer() const { return m_peer != nullptr; }
    // Makes the peers of this control and of everything on it, when the back end makes peers
    // and the parent has one (a form needs no parent).
    void CreatePeers();
    void DestroyPeers();

    void DescribeProperties(TPropertyList& list) const override;

protected:
    virtual std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory);
    // Replays the whole state to a new peer; kinds add their own properties after the base.
    virtual void InitializePeer();
    virtual void CreateChildPeers() {}

    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);

    // Hooks for kinds that react to their own changes.
    virtual void BoundsChanged(const TRect& oldBounds) {}
    virtual void VisibleChanged() {}
    virtual void CaptionChanged() {}
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void ShowHintChanged() {}

    // Runs a handler inside the application's error report (directly when there is none).
    void RunHandler(const std::function<void()>& handler);

    friend class TWinControl;
    void InheritFont(const TFont& font);
    void InheritColor(TColor color);
    void InheritShowHint(bool showHint);

    std::unique_ptr<TControlPeer> m_peer;

private:
    TWinControl* m_parent = nullptr;
    TAlign m_align = TAlign::alNone;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_visible = true;
    bool m_enabled = true;
    TColor m_color = clBtnFace;
    bool m_parentColor = false;
    TFont m_font;
    bool m_parentFont = true;
    bool m_inheritingFont = false;
    std::string m_hint;
    bool m_showHint = false;
    bool m_parentShowHint = true;
    TCursor m_cursor = crDefault;
    std::string m_caption;
};

}  // namespace tk
