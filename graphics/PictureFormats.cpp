#include "graphics/PictureFormats.h"

#include "formats/Bmp.h"
#include "formats/Icon.h"
#include "formats/Metafile.h"
#include "graphics/Graphics.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/MappedFile.h"
#include "toolkit/Exception.h"

namespace graphics {

namespace {

// Icons are shown at the large icon size of that desktop, and in all the colours there are.
constexpr int IconSize = 32;
constexpr int IconDepth = 32;

enum class PictureKind { Bitmap, Icon, Metafile, Unknown };

std::string AsciiUpper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

PictureKind KindOfExtension(const std::string& extension)
{
    std::string upper = AsciiUpper(extension);
    if (upper == "BMP")
        return PictureKind::Bitmap;
    if (upper == "ICO" || upper == "CUR")
        return PictureKind::Icon;
    if (upper == "WMF" || upper == "EMF")
        return PictureKind::Metafile;
    return PictureKind::Unknown;
}

std::string Quoted(const std::string& dosPath)
{
    return "\"" + dosPath + "\"";
}

// The file's bytes, or the error that names why it cannot be had.
platform::MappedFile OpenPictureFile(const platform::DriveMap& drives, const std::string& dosPath)
{
    if (auto file = platform::MappedFile::Open(drives, dosPath))
        return std::move(*file);
    auto entry = platform::FindExact(drives, dosPath);
    std::string reason = !entry                                   ? "the file does not exist"
                         : (entry->attributes & platform::faDirectory) ? "it is a folder"
                                                                       : "the file cannot be read";
    throw tk::EInOutError("Cannot open file " + Quoted(dosPath) + ": " + reason);
}

}  // namespace

std::string PictureExtension(const std::string& dosPath)
{
    // The last part of the path: after the last "\" that is not the second byte of a character.
    size_t partStart = 0;
    for (size_t i = 0; i < dosPath.size(); i = platform::NextCharacter(dosPath, i))
        if (dosPath[i] == '\\' || dosPath[i] == '/' || dosPath[i] == ':')
            partStart = i + 1;
    size_t dot = dosPath.rfind('.');
    if (dot == std::string::npos || dot < partStart)
        return "";
    return dosPath.substr(dot + 1);
}

std::unique_ptr<tk::TGraphic> PictureFormats::LoadPicture(const std::string& dosPath)
{
    std::string extension = PictureExtension(dosPath);
    PictureKind kind = KindOfExtension(extension);
    if (kind == PictureKind::Unknown)
        throw tk::EInvalidGraphic("Unknown picture file extension (." + extension + ")");
    platform::MappedFile file = OpenPictureFile(m_drives, dosPath);
    formats::ByteView bytes = file.Bytes();
    if (kind == PictureKind::Metafile) {
        auto metafile = formats::ReadMetafile(bytes);
        if (!metafile)
            throw tk::EInvalidGraphic("Metafile is not valid: " + Quoted(dosPath) + " (" + metafile.Error() + ")");
        return MakeMetafile(std::move(*metafile), m_renderer);
    }
    if (kind == PictureKind::Bitmap) {
        auto image = formats::DecodeBmp(bytes);
        if (!image)
            throw tk::EInvalidGraphic("Bitmap image is not valid: " + Quoted(dosPath) + " (" + image.Error() + ")");
        return MakeBitmap(std::move(*image));
    }
    auto directory = formats::ReadIconFile(bytes);
    auto image = directory ? formats::DecodeBestIconImage(*directory, IconSize, IconDepth)
                           : formats::Result<formats::Image>(directory.TakeFailure());
    if (!image)
        throw tk::EInvalidGraphic("Icon image is not valid: " + Quoted(dosPath) + " (" + image.Error() + ")");
    return MakeIcon(std::move(*image));
}

}  // namespace graphics
