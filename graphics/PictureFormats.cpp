#include "graphics/PictureFormats.h"

#include "formats/Bmp.h"
#include "formats/Icon.h"
#include "formats/Metafile.h"
#include "formats/Png.h"
#include "graphics/Graphics.h"
#include "platform/CodePage.h"
#include "dos/DosPath.h"
#include "platform/Files.h"
#include "platform/MappedFile.h"
#include "platform/PixbufImage.h"
#include "platform/SvgImage.h"
#include "platform/SystemErrors.h"
#include "toolkit/ErrorTexts.h"
#include "toolkit/Exception.h"

#include <algorithm>

namespace graphics {

namespace {

// Icons are shown at the large icon size of that desktop, and in all the colours there are.
constexpr int IconSize = 32;
constexpr int IconDepth = 32;

// Decoded: by the back end's image plug-ins; Page: the first page of a document, drawn by the back
// end to the width of the pane.
enum class PictureKind { Bitmap, Icon, Metafile, Png, Svg, Tga, Decoded, Page, Unknown };

PictureKind KindOfExtension(const std::string& upper)
{
    if (upper == "BMP")
        return PictureKind::Bitmap;
    if (upper == "ICO" || upper == "CUR")
        return PictureKind::Icon;
    if (upper == "WMF" || upper == "EMF")
        return PictureKind::Metafile;
    if (upper == "PNG")
        return PictureKind::Png;
    if (upper == "SVG" || upper == "SVGZ")
        return PictureKind::Svg;
    if (upper == "TGA")
        return PictureKind::Tga;
    if (upper == "WEBP" || upper == "TIF" || upper == "TIFF" || upper == "XPM")
        return PictureKind::Decoded;
    if (upper == "PDF")
        return PictureKind::Page;
    return PictureKind::Unknown;
}

// A page drawn narrower than this would be unreadable; a pane too small for it scrolls instead.
constexpr int MinPageWidth = 64;

// "KIND "NAME" が不正です。(DETAIL)": the decoder's detail, in its own words, after the report.
std::string InvalidText(const std::string& kind, const std::string& dosPath, const std::string& detail)
{
    return kind + " \"" + dosPath + "\" が不正です。(" + detail + ")";
}

// The file's bytes, or the error that names why it cannot be had.
platform::MappedFile OpenPictureFile(const platform::DriveMap& drives, const std::string& dosPath)
{
    if (auto file = platform::MappedFile::Open(drives, dosPath))
        return std::move(*file);
    std::string reason = platform::OpenFailureReason(drives, dosPath);
    // It opens now: it failed as it was read.
    throw tk::EInOutError(tk::CannotOpenFileText(dosPath, reason.empty() ? "ファイルを読み込めません" : reason));
}

// The pictures that come out whole as pixels, decoded here or by the back end.
bool DecodeWhole(PictureKind kind, const std::string& format, formats::ByteView bytes, int pageWidth,
                 tk::IPictureDecoder* decoder, formats::Image& image, std::string& error)
{
    const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (kind == PictureKind::Png) {
        auto png = formats::DecodePng(bytes);
        if (!png) {
            error = png.Error();
            return false;
        }
        image = std::move(*png);
        return true;
    }
    if (kind == PictureKind::Svg)
        return platform::RenderSvgPicture(data, image, error);
    // Qt's TGA plug-in reads only uncompressed files with the footer of version 2.
    if (kind == PictureKind::Tga)
        return platform::DecodeTga(data, image, error);
    if (!decoder) {
        error = "no decoder for ." + format + " files is installed";
        return false;
    }
    if (!decoder->Decode(format, data, std::max(pageWidth, MinPageWidth), image, error))
        return false;
    // The decoder is the back end's, so its promise is checked rather than trusted.
    if (!formats::ImageSizeAllowed(image.width, image.height) ||
        image.pixels.size() != size_t(image.width) * size_t(image.height)) {
        error = "the decoded picture has no valid size";
        return false;
    }
    return true;
}

}  // namespace

std::string PictureExtension(const std::string& dosPath)
{
    std::string_view name = dos::SplitLast(dosPath).second;
    size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return "";
    return std::string(name.substr(dot + 1));
}

std::unique_ptr<tk::TGraphic> PictureFormats::LoadPicture(const std::string& dosPath)
{
    return LoadPicture(dosPath, 0);
}

std::unique_ptr<tk::TGraphic> PictureFormats::LoadPicture(const std::string& dosPath, int pageWidth)
{
    std::string extension = PictureExtension(dosPath);
    const std::string upper = dos::AsciiUpper(extension);
    PictureKind kind = KindOfExtension(upper);
    if (kind == PictureKind::Unknown)
        throw tk::EInvalidGraphic("画像ファイルの拡張子 (." + extension + ") が不明です。");
    platform::MappedFile file = OpenPictureFile(m_drives, dosPath);
    formats::ByteView bytes = file.Bytes();
    if (kind == PictureKind::Png || kind == PictureKind::Svg || kind == PictureKind::Tga ||
        kind == PictureKind::Decoded || kind == PictureKind::Page) {
        formats::Image image;
        std::string error;
        if (!DecodeWhole(kind, upper, bytes, pageWidth, m_decoder, image, error))
            throw tk::EInvalidGraphic(InvalidText("画像", dosPath, error));
        return MakeBitmap(std::move(image));
    }
    if (kind == PictureKind::Metafile) {
        auto metafile = formats::ReadMetafile(bytes);
        if (!metafile)
            throw tk::EInvalidGraphic(InvalidText("メタファイル", dosPath, metafile.Error()));
        return MakeMetafile(std::move(*metafile), m_renderer);
    }
    if (kind == PictureKind::Bitmap) {
        auto image = formats::DecodeBmp(bytes);
        if (!image)
            throw tk::EInvalidGraphic(InvalidText("ビットマップ イメージ", dosPath, image.Error()));
        return MakeBitmap(std::move(*image));
    }
    auto directory = formats::ReadIconFile(bytes);
    auto image = directory ? formats::DecodeBestIconImage(*directory, IconSize, IconDepth)
                           : formats::Result<formats::Image>(directory.TakeFailure());
    if (!image)
        throw tk::EInvalidGraphic(InvalidText("アイコン イメージ", dosPath, image.Error()));
    return MakeIcon(std::move(*image));
}

}  // namespace graphics
