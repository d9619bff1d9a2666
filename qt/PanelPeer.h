#pragma once

#include "qt/WidgetPeer.h"

#include <QWidget>

namespace tk {
class TPanel;
}

namespace qtui {

// A panel as that desktop drew it: its colour, a one-pixel bevel and its caption.
class PanelWidget : public QWidget {
public:
    explicit PanelWidget(QWidget* parent);

    QColor Color() const { return m_color; }
    void SetColor(const QColor& color);
    QColor TextColor() const { return m_textColor; }
    void SetTextColor(const QColor& color);
    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    tk::TBevelCut Bevel() const { return m_bevel; }
    void SetBevel(tk::TBevelCut bevel);
    tk::TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(tk::TAlignment alignment);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
    QColor m_textColor;
    QString m_caption;
    tk::TBevelCut m_bevel = tk::TBevelCut::bvRaised;
    tk::TAlignment m_alignment = tk::TAlignment::taCenter;
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
