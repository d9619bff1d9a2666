#include "graphics/PictureFormats.h"

#include "formats/Bmp.h"
#include "formats/Icon.h"
#include "formats/Metafile.h"
#include "graphics/Graphics.h"
#include "platform/CodePage.h"
#include "platform/DosPath.h"
#include "platform/Files.h"
#include "platform/MappedFile.h"
#include "platform/SystemErrors.h"
#include "toolkit/ErrorTexts.h"
#include "toolkit/Exception.h"

namespace graphics {

namespace {

// Icons are shown at the large icon size of that desktop, and in all the colours there are.
constexpr int IconSize = 32;
constexpr int IconDepth = 32;

enum class PictureKind { Bitmap, Icon, Metafile, Unknown };

PictureKind KindOfExtension(const std::string& extension)
{
    std::string upper = platform::AsciiUpper(extension);
    if (upper == "BMP")
        return PictureKind::Bitmap;
    if (upper == "ICO" || upper == "CUR")
        return PictureKind::Icon;
    if (upper == "WMF" || upper == "EMF")
        return PictureKind::Metafile;
    return PictureKind::Unknown;
}

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

}  // namespace

std::string PictureExtension(const std::string& dosPath)
{
    std::string_view name = platform::SplitLast(dosPath).second;
    size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return "";
    return std::string(name.substr(dot + 1));
}

std::unique_ptr<tk::TGraphic> PictureFormats::LoadPicture(const std::string& dosPath)
{
    std::string extension = PictureExtension(dosPath);
    PictureKind kind = KindOfExtension(extension);
    if (kind == PictureKind::Unknown)
        throw tk::EInvalidGraphic("画像ファイルの拡張子 (." + extension + ") が不明です。");
    platform::MappedFile file = OpenPictureFile(m_drives, dosPath);
    formats::ByteView bytes = file.Bytes();
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
