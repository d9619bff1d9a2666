#pragma once

#include "toolkit/Types.h"

#include <QColor>
#include <QString>
#include <QWidget>

namespace qtui {

// A widget that draws a caption itself in its own colours: labels and panels. Each setting
// repaints the widget when it changes.
class CaptionedWidget : public QWidget {
public:
    CaptionedWidget(QWidget* parent, tk::TAlignment alignment) : QWidget(parent), m_alignment(alignment) {}

    QColor Color() const { return m_color; }
    void SetColor(const QColor& color) { Repaint(m_color, color); }
    QColor TextColor() const { return m_textColor; }
    void SetTextColor(const QColor& color) { Repaint(m_textColor, color); }
    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& caption) { Repaint(m_caption, caption); }
    tk::TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(tk::TAlignment alignment) { Repaint(m_alignment, alignment); }

protected:
    template <typename T>
    void Repaint(T& setting, const T& value)
    {
        if (setting == value)
            return;
        setting = value;
        update();
    }

    QColor m_color;
    QColor m_textColor;
    QString m_caption;
    tk::TAlignment m_alignment;
};

}  // namespace qtui
