#pragma once

// What every peer of the Qt back end shares: its widget at the model's pixel geometry, the
// properties every control has, and the coalescing of changes. A setter only records what
// changed and queues the peer; the flush then applies the model's present state to the widget,
// without calling back into the model.

#include "qt/FlushQueue.h"
#include "qt/InputRouter.h"
#include "toolkit/Peers.h"

#include <QPointer>

#include <concepts>
#include <utility>

class QWidget;

namespace tk {
class TControl;
}

namespace qtui {

class QtBackend;

class WidgetPeer : public Flushable {
public:
    WidgetPeer(tk::TControl& control, QtBackend& backend);
    ~WidgetPeer() override;

    tk::TControl& Control() const { return m_control; }
    // The widget that stands for the control.
    QWidget* Widget() const { return m_widget; }
    // The widget that the peers of the control's children are placed on.
    virtual QWidget* Container() const { return m_widget; }
    // The peer of a control, when it has one from this back end.
    static WidgetPeer* Of(const tk::TControl& control);

    void Flush() final;
    bool FlushPending() const;

protected:
    // The changes every peer records, one bit each.
    enum Change : unsigned {
        BoundsChange = 1u << 0,
        VisibleChange = 1u << 1,
        EnabledChange = 1u << 2,
        ColorChange = 1u << 3,
        FontChange = 1u << 4,
        HintChange = 1u << 5,
        CursorChange = 1u << 6,
        TextChange = 1u << 7,
        OrderChange = 1u << 8,
        ContentChange = 1u << 9,
        FocusChange = 1u << 10,
        TabStopChange = 1u << 11,  // the last of the base's: the kinds' own follow it
    };
    // Each kind of peer has a range of its own above the base's bits: its n-th change is
    // OwnChange<n>, so that no change of a kind can stand for one of the base.
    static constexpr unsigned OwnChangeCount = 8;
    template <unsigned N>
        requires(N < OwnChangeCount)
    static constexpr unsigned OwnChange = TabStopChange << (N + 1);
    static_assert(OwnChange<OwnChangeCount - 1> >> OwnChangeCount == TabStopChange,
                  "the kinds' changes fit in the recorded bits");

    // Takes the widget (made on ParentContainer()) and routes its input to the control.
    void Attach(QWidget* widget, InputRouter::ClickStyle style);
    // The widget the control's parent gives its children; none for a form.
    QWidget* ParentContainer() const;
    QtBackend& Backend() const { return m_backend; }
    InputRouter* Router() const { return m_router; }

    // Wraps a handler of the user's input that the widget reports (a signal, a callback of the
    // widget) so that it runs only while the peer is there. Any input may take the peer away (a
    // click that closes a dialog frees it, a control moved elsewhere gets a new one), while the
    // widget lives on until the next turn of the event loop and may go on reporting; the peer
    // cannot be asked then, so the router is, which outlives it detached. The `changes` are
    // recorded after the handler, unless it took the peer away: the model may have kept another
    // state than the one the user gave, and the widget then shows the model's at the flush.
    // Wrap handlers after Attach, which makes the router: before it, none would ever run.
    template <class Handler>
    auto WhileAttached(Handler handler, unsigned changes = 0);

    void Changed(unsigned changes);
    // Applies the changed properties except visibility; kinds add their own after the base.
    virtual void Apply(unsigned changes);
    virtual void ApplyVisible();

private:
    void ApplyOrder();
    void HandOverFocus();

    tk::TControl& m_control;
    QtBackend& m_backend;
    QPointer<QWidget> m_widget;
    QPointer<InputRouter> m_router;
    unsigned m_changes = 0;
};

template <class Handler>
auto WidgetPeer::WhileAttached(Handler handler, unsigned changes)
{
    return [this, router = m_router, handler = std::move(handler), changes]<class... Args>(Args&&... args)
        requires std::invocable<const Handler&, Args...>
    {
        if (!router || !router->Attached())
            return;
        handler(std::forward<Args>(args)...);
        if (changes != 0 && router && router->Attached())
            Changed(changes);
    };
}

// The setters of the base peer interface, for a peer of interface I.
template <class I>
class ControlPeer : public I, public WidgetPeer {
public:
    using WidgetPeer::WidgetPeer;

    void SetBounds(const tk::TRect&) override { Changed(BoundsChange); }
    void SetVisible(bool) override { Changed(VisibleChange); }
    void SetEnabled(bool) override { Changed(EnabledChange); }
    void SetColor(tk::TColor) override { Changed(ColorChange); }
    void SetFont(const tk::TFont&) override { Changed(FontChange); }
    void SetHint(const std::string&, bool) override { Changed(HintChange); }
    void SetCursor(tk::TCursor) override { Changed(CursorChange); }
    void SetText(const std::string&) override { Changed(TextChange); }
    void Restack() override { Changed(OrderChange); }
    void Invalidate() override { Changed(ContentChange); }
    void SetFocus() override { Changed(FocusChange); }
    void SetTabStop(bool) override { Changed(TabStopChange); }
};

// The widget of a control's peer; null without one.
QWidget* WidgetOf(const tk::TControl& control);

}  // namespace qtui
