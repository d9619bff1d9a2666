#pragma once

#include "qt/PanelPeer.h"
#include "qt/WidgetPeer.h"

#include <QWidget>

class QTabBar;

namespace tk {
class TPageControl;
class TTabSheet;
}  // namespace tk

namespace qtui {

// The tabs in a row at the top and the raised frame below them; the pages' own widgets lie inside
// the frame, where the model places them.
class PageControlWidget : public QWidget {
public:
    explicit PageControlWidget(QWidget* parent);

    QTabBar* Tabs() const { return m_tabs; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* m_tabs;
};

// A click on a tab enters the model as InputChoose; the tab bar then shows the model's active page,
// which is the old one when OnChanging refused the change.
class PageControlPeer : public ControlPeer<tk::TPageControlPeer> {
public:
    PageControlPeer(tk::TPageControl& pages, QtBackend& backend);

    PageControlWidget* Pages() const { return m_widget; }
    void PagesChanged() override { Changed(PagesChange); }

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned PagesChange = OwnChange<0>;

    tk::TPageControl& m_pages;
    PageControlWidget* m_widget;
};

// A page: a plain area in the face colour.
class TabSheetPeer : public ControlPeer<tk::TTabSheetPeer> {
public:
    TabSheetPeer(tk::TTabSheet& sheet, QtBackend& backend);

protected:
    void Apply(unsigned changes) override;

private:
    tk::TTabSheet& m_sheet;
    PanelWidget* m_area;
};

}  // namespace qtui
