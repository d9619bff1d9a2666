#include "qt/PlainTextView.h"

#include "platform/CodePage.h"
#include "qt/Convert.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMetaObject>
#include <QPainter>
#include <QScrollBar>
#include <QTextOption>

#include <algorithm>

namespace qtui {

namespace {
// The text stands this far from the viewport's top and left edges.
constexpr int Inset = 1;
// Lines longer than this are not measured glyph by glyph for the scroll range at first; their
// width is estimated from the average character and corrected when they come into sight.
constexpr size_t MeasuredLineBytes = 20000;
// Tab stops of the original control: every half inch.
constexpr int TabWidth = 48;
}  // namespace

PlainTextView::PlainTextView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setCursor(Qt::IBeamCursor);
    SetTextFont(font(), Qt::black);
}

void PlainTextView::SetLines(std::shared_ptr<const tk::TTextBuffer> lines)
{
    m_lines = std::move(lines);
    m_contentWidth = 0;
    MeasureLongestLine();
    UpdateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void PlainTextView::SetTextFont(const QFont& font, const QColor& color)
{
    m_font = font;
    m_textColor = color;
    QFontMetrics metrics(m_font);
    m_lineHeight = std::max(1, metrics.height());
    m_ascent = metrics.ascent();
    m_averageCharWidth = std::max(1, metrics.averageCharWidth());
    m_tabWidth = TabWidth;
    m_contentWidth = 0;
    MeasureLongestLine();
    UpdateScrollBars();
    viewport()->update();
}

void PlainTextView::SetBackground(const QColor& color)
{
    QPalette palette = viewport()->palette();
    if (palette.color(QPalette::Base) == color)
        return;
    palette.setColor(QPalette::Base, color);
    viewport()->setPalette(palette);
}

int PlainTextView::TopLine() const
{
    return verticalScrollBar()->value();
}

int PlainTextView::LeftPixel() const
{
    return horizontalScrollBar()->value();
}

int PlainTextView::VisibleLines() const
{
    return std::max(1, (viewport()->height() - Inset) / m_lineHeight);
}

// A glyph is at least a pixel wide for each of its bytes, so the bytes past (left edge + width)
// can never be in sight. The cut goes before a double-byte character it would split.
QString PlainTextView::VisiblePart(int index) const
{
    std::string_view line = m_lines->Line(index);
    size_t limit = static_cast<size_t>(LeftPixel() + viewport()->width());
    if (line.size() > limit) {
        size_t cut = 0;
        while (cut < line.size()) {
            size_t next = dos::NextCharacter(line, cut);
            if (next > limit)
                break;
            cut = next;
        }
        line = line.substr(0, cut);
    }
    return ToQString(std::string(line));
}

int PlainTextView::MeasureLine(const QString& text) const
{
    return QFontMetrics(m_font).size(Qt::TextSingleLine | Qt::TextExpandTabs, text, m_tabWidth).width();
}

void PlainTextView::MeasureLongestLine()
{
    if (!m_lines || m_lines->LongestLine() < 0)
        return;
    std::string_view longest = m_lines->Line(m_lines->LongestLine());
    int width = longest.size() > MeasuredLineBytes ? static_cast<int>(std::min<size_t>(longest.size() * m_averageCharWidth, 1u << 30))
                                                   : MeasureLine(ToQString(std::string(longest)));
    m_contentWidth = std::max(m_contentWidth, width);
}

void PlainTextView::UpdateScrollBars()
{
    int count = m_lines ? m_lines->Count() : 0;
    int visible = VisibleLines();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, count - visible));
    vertical->setPageStep(visible);
    vertical->setSingleStep(1);
    QScrollBar* horizontal = horizontalScrollBar();
    int width = viewport()->width();
    horizontal->setRange(0, std::max(0, m_contentWidth + 2 * Inset - width));
    horizontal->setPageStep(std::max(1, width));
    horizontal->setSingleStep(m_averageCharWidth);
}

void PlainTextView::paintEvent(QPaintEvent*)
{
    ++m_paints;
    if (!m_lines)
        return;
    QPainter painter(viewport());
    painter.setFont(m_font);
    painter.setPen(m_textColor);
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(m_tabWidth);
    int first = TopLine();
    int left = LeftPixel();
    int rows = viewport()->height() / m_lineHeight + 1;
    int widest = m_contentWidth;
    for (int row = 0; row <= rows && first + row < m_lines->Count(); ++row) {
        QString text = VisiblePart(first + row);
        if (text.isEmpty())
            continue;
        QRectF rect(Inset - left, Inset + row * m_lineHeight, 1 << 24, m_lineHeight);
        painter.drawText(rect, text, option);
        if (text.size() < 4096)
            widest = std::max(widest, MeasureLine(text));
    }
    // A line in sight is wider than the scroll range knew: the range grows after this paint.
    if (widest > m_contentWidth) {
        m_contentWidth = widest;
        QMetaObject::invokeMethod(this, [this] { UpdateScrollBars(); }, Qt::QueuedConnection);
    }
}

void PlainTextView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void PlainTextView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void PlainTextView::keyPressEvent(QKeyEvent* event)
{
    bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Home:
        (control ? verticalScrollBar() : horizontalScrollBar())->setValue(0);
        return;
    case Qt::Key_End:
        if (control)
            verticalScrollBar()->setValue(verticalScrollBar()->maximum());
        else
            horizontalScrollBar()->setValue(horizontalScrollBar()->maximum());
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

// The press is the viewer's own (it takes the focus), so it does not travel on to the parent.
void PlainTextView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

}  // namespace qtui
