#pragma once

#include "qt/CaptionedWidget.h"
#include "qt/WidgetPeer.h"

#include <QWidget>

namespace tk {
class TPanel;
}

namespace qtui {

// A panel as that desktop drew it: its colour, a one-pixel bevel and its caption.
class PanelWidget : public CaptionedWidget {
public:
    explicit PanelWidget(QWidget* parent);

    tk::TBevelCut Bevel() const { return m_bevel; }
    void SetBevel(tk::TBevelCut bevel);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    tk::TBevelCut m_bevel = tk::TBevelCut::bvRaised;
};

class PanelPeer : public ControlPeer<tk::TPanelPeer> {
public:
    PanelPeer(tk::TPanel& panel, QtBackend& backend);

    void SetBevelOuter(tk::TBevelCut) override { Changed(BevelChange); }
    void SetAlignment(tk::TAlignment) override { Changed(AlignmentChange); }

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned BevelChange = KindChange1;
    static constexpr unsigned AlignmentChange = KindChange2;

    tk::TPanel& m_panel;
    PanelWidget* m_panelWidget;
};

}  // namespace qtui
