#pragma once

#include "qt/WidgetPeer.h"

#include <QTextBrowser>

namespace tk {
class THTML;
}

namespace qtui {

// The HTML control: Qt's rich-text browser over the local pages of HtmlPage.h. Links to other
// local pages and pictures are followed inside the control; other addresses are not fetched.
class HtmlBrowser : public QTextBrowser {
public:
    explicit HtmlBrowser(QWidget* parent);

    // Shows the page or picture at the host path, read afresh.
    void ShowFile(const QString& path);
    // Shows the notice for an address that names no readable file.
    void ShowNotice(const QString& address);

protected:
    QVariant loadResource(int type, const QUrl& name) override;
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

private:
    QUrl m_page;
};

class HtmlPeer : public ControlPeer<tk::THtmlPeer> {
public:
    HtmlPeer(tk::THTML& html, QtBackend& backend);

    void RequestDoc() override { Changed(DocumentChange); }

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned DocumentChange = OwnChange<0>;
    void LoadDocument();

    tk::THTML& m_html;
    HtmlBrowser* m_browser;
};

}  // namespace qtui
