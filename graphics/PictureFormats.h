#pragma once

// The picture loader of the component model: reads picture files over DOS paths and decodes them
// by their extension, as the original toolkit's picture class did. Bitmaps (.bmp) become TBitmap;
// icons (.ico) and cursors (.cur) become TIcon, of the image that fits the large icon size;
// metafiles (.wmf, .emf) become TMetafile, drawn by the back end's renderer. PNG (libpng), SVG
// (librsvg) and TGA (gdk-pixbuf) pictures, the pictures the back end decodes (WebP, TIFF, XPM) and
// the first page of a PDF document, drawn to the pane's width, become TBitmap.

#include "toolkit/Services.h"

#include <memory>
#include <string>

namespace platform {
class DriveMap;
}

namespace graphics {

class PictureFormats : public tk::IPictureFormats {
public:
    // Without a renderer, metafile pictures have their size but no content.
    // Without a decoder, the pictures and documents only the back end reads raise EInvalidGraphic.
    explicit PictureFormats(const platform::DriveMap& drives, tk::IMetafileRenderer* renderer = nullptr,
                            tk::IPictureDecoder* decoder = nullptr)
        : m_drives(drives), m_renderer(renderer), m_decoder(decoder)
    {
    }

    std::unique_ptr<tk::TGraphic> LoadPicture(const std::string& dosPath) override;
    std::unique_ptr<tk::TGraphic> LoadPicture(const std::string& dosPath, int pageWidth) override;

private:
    const platform::DriveMap& m_drives;
    tk::IMetafileRenderer* m_renderer;
    tk::IPictureDecoder* m_decoder;
};

// The extension of a DOS path's last part, without its dot, as written; empty when it has none.
std::string PictureExtension(const std::string& dosPath);

}  // namespace graphics
