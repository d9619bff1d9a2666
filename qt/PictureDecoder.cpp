#include "qt/PictureDecoder.h"

#include "formats/Image.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <poppler-qt6.h>

#include <cmath>

namespace qtui {

namespace {

constexpr double PointsPerInch = 72;

// The pixels of a decoded picture as the program holds them: 0xAARRGGBB, straight alpha, rows
// from the top.
formats::Image ImageOf(const QImage& decoded)
{
    const QImage straight = decoded.convertToFormat(QImage::Format_ARGB32);
    formats::Image image{straight.width(), straight.height(), {}};
    image.pixels.reserve(size_t(image.width) * size_t(image.height));
    for (int y = 0; y < straight.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(straight.constScanLine(y));
        image.pixels.insert(image.pixels.end(), row, row + straight.width());
    }
    return image;
}

std::string SizeText(int64_t width, int64_t height)
{
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

// The plug-in that reads files with this upper-case extension.
QByteArray PlugInFormat(const std::string& format)
{
    if (format == "TIF")
        return "tiff";
    return QByteArray::fromStdString(format).toLower();
}

bool DecodePicture(const std::string& format, std::string_view bytes, formats::Image& image, std::string& error)
{
    QByteArray data(bytes.data(), qsizetype(bytes.size()));
    // The file's bytes, already read through RegularFile: the reader opens memory, not a name.
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    // The extension chose the format; content that is another format is a damaged file here.
    QImageReader reader(&buffer, PlugInFormat(format));
    reader.setDecideFormatFromContent(false);
    if (!reader.canRead()) {
        error = "not a " + format + " picture";
        return false;
    }
    // The header's claim is checked before a single pixel is allocated.
    if (const QSize size = reader.size(); size.isValid() && !formats::ImageSizeAllowed(size.width(), size.height())) {
        error = "the picture is too large (" + SizeText(size.width(), size.height()) + ")";
        return false;
    }
    QImage decoded;
    if (!reader.read(&decoded) || decoded.isNull()) {
        error = reader.errorString().toStdString();
        return false;
    }
    if (!formats::ImageSizeAllowed(decoded.width(), decoded.height())) {
        error = "the picture is too large (" + SizeText(decoded.width(), decoded.height()) + ")";
        return false;
    }
    image = ImageOf(decoded);
    return true;
}

// The first page, at the resolution that makes it `pageWidth` pixels wide.
bool DecodePage(std::string_view bytes, int pageWidth, formats::Image& image, std::string& error)
{
    std::unique_ptr<Poppler::Document> document =
        Poppler::Document::loadFromData(QByteArray(bytes.data(), qsizetype(bytes.size())));
    if (!document) {
        error = "not a PDF document, or a damaged one";
        return false;
    }
    if (document->isLocked()) {
        error = "the document is locked with a password";
        return false;
    }
    std::unique_ptr<Poppler::Page> page = document->numPages() > 0 ? document->page(0) : nullptr;
    if (!page) {
        error = "the document has no pages";
        return false;
    }
    const QSizeF points = page->pageSizeF();
    if (!(points.width() > 0 && points.height() > 0)) {
        error = "the first page has no size";
        return false;
    }
    const double resolution = pageWidth * PointsPerInch / points.width();
    const double height = std::ceil(points.height() * resolution / PointsPerInch);
    if (!(height <= double(formats::MaxImageSide)) || !formats::ImageSizeAllowed(pageWidth, int64_t(height))) {
        error = "the first page is too large (" + SizeText(pageWidth, int64_t(std::min(height, 1e12))) + ")";
        return false;
    }
    document->setRenderHint(Poppler::Document::Antialiasing);
    document->setRenderHint(Poppler::Document::TextAntialiasing);
    const QImage rendered = page->renderToImage(resolution, resolution);
    if (rendered.isNull()) {
        error = "the first page cannot be drawn";
        return false;
    }
    image = ImageOf(rendered);
    return true;
}

}  // namespace

bool PictureDecoder::Decode(const std::string& format, std::string_view bytes, int pageWidth, formats::Image& image,
                            std::string& error)
{
    if (format == "PDF")
        return DecodePage(bytes, pageWidth, image, error);
    return DecodePicture(format, bytes, image, error);
}

}  // namespace qtui
