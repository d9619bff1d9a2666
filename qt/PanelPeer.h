#pragma once

#include "qt/CaptionedWidget.h"
#include "qt/WidgetPeer.h"

#include <QWidget>

#include <memory>

namespace tk {
class TPanel;
struct TVideoFrame;
}

namespace qtui {

// A panel as that desktop drew it: its colour, a one-pixel bevel and its caption.
class PanelWidget : public CaptionedWidget {
public:
    explicit PanelWidget(QWidget* parent);

    tk::TBevelCut Bevel() const { return m_bevel; }
    void SetBevel(tk::TBevelCut bevel);
    // A picture of a video, drawn inside the bevel and scaled to fit with its proportions kept;
    // null shows the panel as it is.
    void SetVideoFrame(std::shared_ptr<const tk::TVideoFrame> frame);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    tk::TBevelCut m_bevel = tk::TBevelCut::bvRaised;
    std::shared_ptr<const tk::TVideoFrame> m_video;
};

class PanelPeer : public ControlPeer<tk::TPanelPeer> {
public:
    PanelPeer(tk::TPanel& panel, QtBackend& backend);

    void SetBevelOuter(tk::TBevelCut) override { Changed(BevelChange); }
    void SetAlignment(tk::TAlignment) override { Changed(AlignmentChange); }
    // Pictures of a video come many times a second and go straight to the widget.
    void SetVideoFrame(std::shared_ptr<const tk::TVideoFrame> frame) override;

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned BevelChange = OwnChange<0>;
    static constexpr unsigned AlignmentChange = OwnChange<1>;

    tk::TPanel& m_panel;
    PanelWidget* m_panelWidget;
};

}  // namespace qtui
