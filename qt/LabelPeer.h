#pragma once

#include "qt/CaptionedWidget.h"
#include "qt/WidgetPeer.h"

#include <QWidget>

namespace tk {
class TLabel;
}

namespace qtui {

// A label as that desktop drew it: its text at the top in the font's colour, on its own colour
// unless it is transparent; greyed and embossed while disabled.
class LabelWidget : public CaptionedWidget {
public:
    explicit LabelWidget(QWidget* parent);

    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool m_transparent = false;
};

class LabelPeer : public ControlPeer<tk::TLabelPeer> {
public:
    LabelPeer(tk::TLabel& label, QtBackend& backend);

    void SetAlignment(tk::TAlignment) override { Changed(AlignmentChange); }
    void SetTransparent(bool) override { Changed(TransparentChange); }

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned AlignmentChange = OwnChange<0>;
    static constexpr unsigned TransparentChange = OwnChange<1>;

    tk::TLabel& m_label;
    LabelWidget* m_labelWidget;
};

}  // namespace qtui
