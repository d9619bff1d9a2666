#include "qt/HtmlPage.h"

#include "qt/Convert.h"
#include "platform/HostFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QStringDecoder>

namespace qtui {

namespace {

// Pages larger than this are not read; no page of that time came near it.
constexpr size_t MaxResourceBytes = size_t(64) << 20;

bool IsShiftJisName(const QString& name)
{
    static const char* const names[] = {"shift_jis", "shift-jis", "sjis", "x-sjis", "windows-31j", "cp932",
                                        "ms_kanji", "csshiftjis", "ms932"};
    for (const char* known : names)
        if (name.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The encoding a page names in its first kilobytes (a meta element or an XML declaration).
QString DeclaredEncoding(const QByteArray& bytes)
{
    static const QRegularExpression charset(QStringLiteral("(?:charset|encoding)\\s*=\\s*[\"']?\\s*([A-Za-z0-9_.:-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    QString head = QString::fromLatin1(bytes.left(2048));
    QRegularExpressionMatch match = charset.match(head);
    return match.hasMatch() ? match.captured(1) : QString();
}

// The file's bytes through the platform's reader, which never waits on a named pipe or reads a
// device; null when it cannot be had.
QByteArray ReadLocalFile(const QString& path)
{
    std::optional<std::string> bytes = platform::ReadHostFile(QFile::encodeName(path).toStdString(), MaxResourceBytes);
    return bytes ? QByteArray::fromStdString(*bytes) : QByteArray();
}

bool IsDataAddress(const QUrl& reference)
{
    return reference.scheme().compare(QLatin1String("data"), Qt::CaseInsensitive) == 0;
}

// What a picture that cannot be had shows: Qt's own sign for one, or a blank of its size.
QImage MissingPicture()
{
    QImage sign(QStringLiteral(":/qt-project.org/styles/commonstyle/images/file-16.png"));
    if (sign.isNull()) {
        sign = QImage(16, 16, QImage::Format_ARGB32);
        sign.fill(Qt::transparent);
    }
    return sign;
}

// The entry of a folder whose name matches without regard to case.
QString FindIgnoringCase(const QDir& folder, const QString& name)
{
    const QStringList entries = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    return QString();
}

}  // namespace

QString DecodeHtml(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::encodingForData(bytes).value_or(QStringConverter::Utf8));
        return decoder(bytes);
    }
    QString declared = DeclaredEncoding(bytes);
    if (IsShiftJisName(declared))
        return ToQString(bytes.toStdString());
    if (!declared.isEmpty()) {
        QStringDecoder decoder(declared.toLatin1().constData());
        if (decoder.isValid())
            return decoder(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return ToQString(bytes.toStdString());
}

QString FindLocalFile(const QUrl& page, const QUrl& reference)
{
    QUrl cleaned = reference;
    // "images\logo.gif" was a path on that system; here it is an escaped backslash.
    if (cleaned.isRelative() || cleaned.isLocalFile())
        cleaned.setPath(cleaned.path().replace(QLatin1Char('\\'), QLatin1Char('/')));
    QUrl resolved = page.resolved(cleaned);
    if (!resolved.isLocalFile())
        return QString();
    QString path = QDir::cleanPath(resolved.toLocalFile());
    if (QFileInfo::exists(path))
        return path;
    // Walk down from the root, taking each part in whatever case the folder has it.
    QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString found = QStringLiteral("/");
    for (const QString& part : parts) {
        QString exact = QDir(found).filePath(part);
        QString next = QFileInfo::exists(exact) ? exact : FindIgnoringCase(QDir(found), part);
        if (next.isEmpty())
            return QString();
        found = next;
    }
    return found;
}

bool IsPictureFile(const QString& path)
{
    QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("gif") || suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
}

QString PictureDocument(const QString& path)
{
    QString source = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).toHtmlEscaped();
    return QStringLiteral("<html><body style=\"margin:0\"><img src=\"%1\"></body></html>").arg(source);
}

QString NoticeDocument(const QString& address)
{
    // "The page cannot be shown."
    static const QString cannotShow = QString::fromUtf16(u"\u30DA\u30FC\u30B8\u3092\u8868\u793A\u3067\u304D\u307E\u305B\u3093");
    return QStringLiteral("<html><body><p><b>%1</b></p><p>%2</p></body></html>")
        .arg(cannotShow, address.toHtmlEscaped());
}

QVariant LoadLocalResource(int type, const QUrl& page, const QUrl& reference)
{
    // An address that holds its data is the document's own to decode.
    if (IsDataAddress(reference))
        return QVariant();
    // Anything else is answered here, also when it cannot be had: what is left unanswered the
    // document and its picture handler open by name themselves (a picture's name even in the
    // program's current folder), and such an open waits on a named pipe.
    QString path = FindLocalFile(page, reference);
    QByteArray bytes = path.isEmpty() ? QByteArray() : ReadLocalFile(path);
    if (type == QTextDocument::ImageResource) {
        QImage picture = QImage::fromData(bytes);
        return picture.isNull() ? MissingPicture() : picture;
    }
    if (bytes.isNull())
        return QByteArray("");
    if (type == QTextDocument::HtmlResource)
        return IsPictureFile(path) ? PictureDocument(path) : DecodeHtml(bytes);
    if (type == QTextDocument::StyleSheetResource)
        return DecodeHtml(bytes);
    return bytes;
}

bool HtmlPage::Load(const QString& path)
{
    m_page = QUrl::fromLocalFile(path);
    setBaseUrl(m_page);
    QByteArray bytes = ReadLocalFile(path);
    if (bytes.isNull()) {
        setHtml(NoticeDocument(path));
        return false;
    }
    setHtml(IsPictureFile(path) ? PictureDocument(path) : DecodeHtml(bytes));
    return true;
}

QVariant HtmlPage::loadResource(int type, const QUrl& name)
{
    QVariant resource = LoadLocalResource(type, m_page, name);
    return resource.isValid() ? resource : QTextDocument::loadResource(type, name);
}

}  // namespace qtui
