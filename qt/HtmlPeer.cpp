#include "qt/HtmlPeer.h"

#include "qt/Convert.h"
#include "qt/HtmlPage.h"
#include "dos/DosText.h"
#include "toolkit/Application.h"
#include "toolkit/Html.h"

#include <QFileInfo>

namespace qtui {

namespace {
constexpr char FileScheme[] = "file:///";
}

HtmlBrowser::HtmlBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setOpenLinks(true);
    setOpenExternalLinks(false);
    setFrameShape(QFrame::NoFrame);
}

void HtmlBrowser::ShowFile(const QString& path)
{
    QUrl url = QUrl::fromLocalFile(path);
    if (source() == url)
        reload();
    else
        setSource(url, QTextDocument::HtmlResource);
}

void HtmlBrowser::ShowNotice(const QString& address)
{
    m_page = QUrl();
    setHtml(NoticeDocument(address));
}

void HtmlBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type)
{
    // Only local files are fetched; a link elsewhere leaves the page as it is.
    QUrl page = m_page.isValid() ? m_page.resolved(name) : name;
    if (!page.isLocalFile())
        return;
    QString path = FindLocalFile(m_page.isValid() ? m_page : name, name);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        ShowNotice(page.toLocalFile());
        return;
    }
    m_page = QUrl::fromLocalFile(path);
    m_page.setFragment(name.fragment());
    QTextBrowser::doSetSource(m_page, type == QTextDocument::UnknownResource ? QTextDocument::HtmlResource : type);
}

QVariant HtmlBrowser::loadResource(int type, const QUrl& name)
{
    QVariant resource = LoadLocalResource(type, m_page, name);
    return resource.isValid() ? resource : QVariant();
}

HtmlPeer::HtmlPeer(tk::THTML& html, QtBackend& backend)
    : ControlPeer(html, backend), m_html(html), m_browser(new HtmlBrowser(ParentContainer()))
{
    Attach(m_browser, InputRouter::ClickStyle::Native);
    Router()->Watch(*m_browser->viewport());
}

void HtmlPeer::Apply(unsigned changes)
{
    WidgetPeer::Apply(changes);
    if (changes & ColorChange) {
        QPalette palette = m_browser->palette();
        palette.setColor(QPalette::Base, ToQColor(m_html.Color()));
        m_browser->setPalette(palette);
    }
    if (changes & DocumentChange)
        LoadDocument();
}

// The address is "file:///" and a DOS path with its backslashes; the folder service finds the
// file it names on this host.
void HtmlPeer::LoadDocument()
{
    const std::string& url = m_html.URL();
    std::string prefix = url.substr(0, sizeof FileScheme - 1);
    for (char& c : prefix)
        c = dos::AsciiLower(c);
    tk::IFolders* folders = m_html.Application() ? m_html.Application()->Folders() : nullptr;
    std::string hostPath;
    if (prefix == FileScheme && folders)
        hostPath = folders->HostPath(url.substr(sizeof FileScheme - 1));
    if (hostPath.empty())
        m_browser->ShowNotice(ToQString(url));
    else
        m_browser->ShowFile(QString::fromStdString(hostPath));
}

}  // namespace qtui
