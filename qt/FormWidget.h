#pragma once

// The window of a form: a top-level widget whose client area holds a canvas with the children
// on it, and the form's own scroll bars along the right and bottom edges. Scrolling moves the
// canvas; the children keep their places on it.

#include <QColor>
#include <QWidget>

#include <functional>

class QScrollBar;

namespace qtui {

class FormCanvas : public QWidget {
public:
    explicit FormCanvas(QWidget* parent);
    void SetColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
};

class FormWidget : public QWidget {
public:
    struct ScrollState {
        bool autoScroll = false;
        int horzRange = 0;
        int vertRange = 0;
        bool horzVisible = true;
        bool vertVisible = true;
        int horzPosition = 0;
        int vertPosition = 0;
        bool operator==(const ScrollState&) const = default;
    };

    FormWidget();

    FormCanvas* Canvas() const { return m_canvas; }
    QScrollBar* HorzScrollBar() const { return m_horzBar; }
    QScrollBar* VertScrollBar() const { return m_vertBar; }
    void SetScrollState(const ScrollState& state);

    // While the peer applies the model, the window's own reports stay quiet.
    void SetApplying(bool applying) { m_applying = applying; }

    // The user resized the client area, moved the window, pressed its close box or scrolled.
    std::function<void(int clientWidth, int clientHeight)> OnUserResize;
    std::function<void(int left, int top)> OnUserMove;
    std::function<void()> OnUserClose;
    std::function<void(Qt::Orientation orientation, int position)> OnUserScroll;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void LayOut();
    void UserScrolled(Qt::Orientation orientation, int position);

    FormCanvas* m_canvas;
    QScrollBar* m_horzBar;
    QScrollBar* m_vertBar;
    QWidget* m_corner;
    ScrollState m_scroll;
    bool m_applying = false;
};

}  // namespace qtui
