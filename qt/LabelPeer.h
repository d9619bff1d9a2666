#pragma once

#include "qt/WidgetPeer.h"

#include <QWidget>

namespace tk {
class TLabel;
}

namespace qtui {

// A label as that desktop drew it: its text at the top in the font's colour, on its own colour
// unless it is transparent; greyed and embossed while disabled.
class LabelWidget : public QWidget {
public:
    explicit LabelWidget(QWidget* parent);

    QColor Color() const { return m_color; }
    void SetColor(const QColor& color);
    QColor TextColor() const { return m_textColor; }
    void SetTextColor(const QColor& color);
    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    tk::TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(tk::TAlignment alignment);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QColor m_color;
    QColor m_textColor;
    QString m_caption;
    tk::TAlignment m_alignment = tk::TAlignment::taLeftJustify;
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
    static constexpr unsigned AlignmentChange = KindChange1;
    static constexpr unsigned TransparentChange = KindChange2;

    tk::TLabel& m_label;
    LabelWidget* m_labelWidget;
};

}  // namespace qtui
