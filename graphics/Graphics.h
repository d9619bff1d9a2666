#pragma once

// Decoded pixels as graphics of the component model.

#include "formats/Image.h"
#include "formats/Metafile.h"
#include "platform/Icons.h"
#include "toolkit/Graphics.h"
#include "toolkit/Metafile.h"

#include <memory>
#include <optional>

namespace graphics {

// The image's pixels move into the graphic.
std::unique_ptr<tk::TBitmap> MakeBitmap(formats::Image&& image);
std::unique_ptr<tk::TIcon> MakeIcon(formats::Image&& image);
// A metafile picture of the metafile's natural size, drawn by `renderer` (may be null).
std::unique_ptr<tk::TMetafile> MakeMetafile(formats::Metafile metafile, tk::IMetafileRenderer* renderer);

// The icon an extraction gave, as a graphic an image list takes; null for a null result or one
// without pixels, which counts as null.
std::unique_ptr<tk::TIcon> MakeIcon(const std::optional<platform::IconPixels>& pixels);

}  // namespace graphics
