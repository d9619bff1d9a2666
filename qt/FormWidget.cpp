#include "qt/FormWidget.h"

#include <QCloseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>

namespace qtui {

namespace {
// The scroll step of a form's own bars, as the original toolkit had it.
constexpr int FormScrollIncrement = 8;
}  // namespace

FormCanvas::FormCanvas(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FormCanvas::SetColor(const QColor& color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

void FormCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), m_color);
}

FormWidget::FormWidget()
    : m_canvas(new FormCanvas(this)),
      m_horzBar(new QScrollBar(Qt::Horizontal, this)),
      m_vertBar(new QScrollBar(Qt::Vertical, this)),
      m_corner(new QWidget(this))
{
    m_corner->setAutoFillBackground(true);
    for (QScrollBar* bar : {m_horzBar, m_vertBar}) {
        bar->hide();
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setSingleStep(FormScrollIncrement);
    }
    m_corner->hide();
    connect(m_horzBar, &QScrollBar::valueChanged, this,
            [this](int position) { UserScrolled(Qt::Horizontal, position); });
    connect(m_vertBar, &QScrollBar::valueChanged, this,
            [this](int position) { UserScrolled(Qt::Vertical, position); });
}

void FormWidget::SetScrollState(const ScrollState& state)
{
    if (m_scroll == state)
        return;
    m_scroll = state;
    LayOut();
}

// A bar shows when auto-scroll is on, the bar is wanted and its range exceeds the room left
// beside the other bar; showing one bar can make the other needed, hence the second round.
void FormWidget::LayOut()
{
    int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool wantHorz = m_scroll.autoScroll && m_scroll.horzVisible;
    bool wantVert = m_scroll.autoScroll && m_scroll.vertVisible;
    bool showHorz = false;
    bool showVert = false;
    for (int round = 0; round < 2; ++round) {
        showHorz = wantHorz && m_scroll.horzRange > width() - (showVert ? extent : 0);
        showVert = wantVert && m_scroll.vertRange > height() - (showHorz ? extent : 0);
    }
    int viewWidth = std::max(width() - (showVert ? extent : 0), 0);
    int viewHeight = std::max(height() - (showHorz ? extent : 0), 0);

    QSignalBlocker horzBlocker(m_horzBar);
    QSignalBlocker vertBlocker(m_vertBar);
    m_horzBar->setRange(0, showHorz ? m_scroll.horzRange - viewWidth : 0);
    m_horzBar->setPageStep(viewWidth);
    m_horzBar->setValue(showHorz ? m_scroll.horzPosition : 0);
    m_horzBar->setGeometry(0, viewHeight, viewWidth, extent);
    m_horzBar->setVisible(showHorz);
    m_vertBar->setRange(0, showVert ? m_scroll.vertRange - viewHeight : 0);
    m_vertBar->setPageStep(viewHeight);
    m_vertBar->setValue(showVert ? m_scroll.vertPosition : 0);
    m_vertBar->setGeometry(viewWidth, 0, extent, viewHeight);
    m_vertBar->setVisible(showVert);
    m_corner->setGeometry(viewWidth, viewHeight, extent, extent);
    m_corner->setVisible(showHorz && showVert);

    int canvasWidth = std::max(viewWidth, showHorz ? m_scroll.horzRange : 0);
    int canvasHeight = std::max(viewHeight, showVert ? m_scroll.vertRange : 0);
    m_canvas->setGeometry(-m_horzBar->value(), -m_vertBar->value(), canvasWidth, canvasHeight);
    m_canvas->lower();
}

void FormWidget::UserScrolled(Qt::Orientation orientation, int position)
{
    if (orientation == Qt::Horizontal)
        m_scroll.horzPosition = position;
    else
        m_scroll.vertPosition = position;
    m_canvas->move(-m_horzBar->value(), -m_vertBar->value());
    if (OnUserScroll)
        OnUserScroll(orientation, position);
}

void FormWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
    if (!m_applying && OnUserResize)
        OnUserResize(width(), height());
}

void FormWidget::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (!m_applying && isVisible() && OnUserMove)
        OnUserMove(x(), y());
}

// The model decides whether a window closes: it hides the form or ends the program.
void FormWidget::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (OnUserClose)
        OnUserClose();
}

}  // namespace qtui
