#pragma once

// A viewer of plain text of any size. It paints from the rich edit's own line buffer, converting
// only the lines in sight, so a text of fifty megabytes shows as soon as its lines are indexed;
// Qt's text documents lay out every line first. It scrolls by line vertically and by pixel
// horizontally, and does not wrap.

#include "toolkit/RichText.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>

#include <memory>

namespace qtui {

class PlainTextView : public QAbstractScrollArea {
public:
    explicit PlainTextView(QWidget* parent);

    void SetLines(std::shared_ptr<const tk::TTextBuffer> lines);
    const tk::TTextBuffer* Lines() const { return m_lines.get(); }
    void SetTextFont(const QFont& font, const QColor& color);
    void SetBackground(const QColor& color);

    // The first line in sight, and the pixels scrolled to the left.
    int TopLine() const;
    int LeftPixel() const;
    // Lines that fit whole in the viewport.
    int VisibleLines() const;
    // The width the horizontal scroll bar covers: the widest line measured so far.
    int ContentWidth() const { return m_contentWidth; }
    // How many times the viewport was painted (for measuring).
    int Paints() const { return m_paints; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The line as text to draw: no more of it than can reach the right edge of the viewport.
    QString VisiblePart(int index) const;
    int MeasureLine(const QString& text) const;
    void MeasureLongestLine();
    void UpdateScrollBars();

    std::shared_ptr<const tk::TTextBuffer> m_lines;
    QFont m_font;
    QColor m_textColor = Qt::black;
    int m_lineHeight = 1;
    int m_ascent = 0;
    int m_averageCharWidth = 1;
    int m_tabWidth = 48;
    int m_contentWidth = 0;
    int m_paints = 0;
};

}  // namespace qtui
