#pragma once

// Local HTML pages as the HTML control shows them (and the render tool draws them): a page's
// text in the encoding it names, or else UTF-8 when it is valid UTF-8 and code page 932 when not,
// as Japanese pages of that desktop were written; its images and links looked up beside it,
// without regard to the case of letters and with "\" taken for "/", as on the system the pages
// were made for. A GIF or JPEG picture is shown as a page that holds just it.

#include <QByteArray>
#include <QString>
#include <QTextDocument>
#include <QUrl>
#include <QVariant>

namespace qtui {

// The page's text from its bytes.
QString DecodeHtml(const QByteArray& bytes);

// The local file a reference of a page names, resolved against the page's address. When no file
// has the very name, a file whose name differs only in case is taken. Empty when there is none.
QString FindLocalFile(const QUrl& page, const QUrl& reference);

// Whether a file is a picture that is shown by itself (GIF, JPEG), by its name.
bool IsPictureFile(const QString& path);

// A page that holds just the picture at the host path.
QString PictureDocument(const QString& path);

// The control's own notice for a document it cannot fetch.
QString NoticeDocument(const QString& address);

// What a page asks for, loaded from the local files: its text (decoded) for a page or style
// sheet, the picture for an image (Qt's sign for a missing one when it cannot be had), the bytes
// of anything else, empty when it cannot be had. Null only for an address that holds its data,
// which the document decodes itself: whatever else is left null the document opens by name.
QVariant LoadLocalResource(int type, const QUrl& page, const QUrl& reference);

// A page read from a local file, for drawing without a widget.
class HtmlPage : public QTextDocument {
public:
    explicit HtmlPage(QObject* parent = nullptr) : QTextDocument(parent) {}

    // Loads the page or picture at the host path; shows the notice and gives false when it
    // cannot be read.
    bool Load(const QString& path);

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QUrl m_page;
};

}  // namespace qtui
