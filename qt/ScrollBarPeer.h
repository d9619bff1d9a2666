#pragma once

#include "qt/WidgetPeer.h"

class QScrollBar;

namespace tk {
class TScrollBar;
}

namespace qtui {

// A scroll bar. The user's moves enter the model as InputScroll; the model's position comes
// back at the next flush, so the bar shows what the model decided.
class ScrollBarPeer : public ControlPeer<tk::TScrollBarPeer> {
public:
    ScrollBarPeer(tk::TScrollBar& scrollBar, QtBackend& backend);

    void SetKind(tk::TScrollBarKind) override { Changed(OrientationChange); }
    void SetParams() override { Changed(ParamsChange); }

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned OrientationChange = OwnChange<0>;
    static constexpr unsigned ParamsChange = OwnChange<1>;

    void UserMoved(int position);
    void PageStep(int action);

    tk::TScrollBar& m_scrollBar;
    QScrollBar* m_bar;
};

}  // namespace qtui
